#include <optional>

#include "about/About.h"
#include "win/Version.h"
#include "win/Format.h"

namespace about {

namespace {

constexpr char kVersionFormat[] = "%d.%d.%d.%d";

// The version text, read once at start-up and kept for the whole run. It
// comes from the program's image in memory, not from its file: the file
// may be renamed, moved or gone (a self-updater, a pulled stick) by the
// time an About window opens, and the image costs no file access.
struct VersionState {
  std::string text;
};

VersionState& State() {
  static VersionState state;
  return state;
}

}  // namespace

void Initialise() { ReadVersionInfo(); }

void Finalise() { std::string().swap(State().text); }

void ReadVersionInfo() {
  const std::optional<VS_FIXEDFILEINFO> info = win::ModuleFixedFileInfo();
  State().text = info ? FormatFileVersion(*info) : std::string();
}

std::string VersionString() { return State().text; }

std::string FormatFileVersion(const VS_FIXEDFILEINFO& info) {
  // Each number is an unsigned 16-bit word; widened to int it prints as
  // 0 to 65535 through %d.
  return win::FormatText(kVersionFormat, static_cast<int>(HIWORD(info.dwFileVersionMS)),
                         static_cast<int>(LOWORD(info.dwFileVersionMS)),
                         static_cast<int>(HIWORD(info.dwFileVersionLS)),
                         static_cast<int>(LOWORD(info.dwFileVersionLS)));
}

}  // namespace about
