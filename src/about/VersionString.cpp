#include <vector>

#include "about/About.h"
#include "win/Files.h"
#include "win/Format.h"

namespace about {

namespace {

constexpr char kVersionFormat[] = "%d.%d.%d.%d";

// The program file's version block, read once and kept for the whole run.
// Only the About window shows it: it is read when the first one opens, not
// at start, where it would cost the version library's load and a read of
// the program file before the window can show.
struct VersionState {
  bool initialised = false;
  bool read = false;
  std::vector<char> block;
};

VersionState& State() {
  static VersionState state;
  return state;
}

}  // namespace

void Initialise() { State().initialised = true; }

void Finalise() {
  VersionState& state = State();
  std::vector<char>().swap(state.block);
  state.initialised = false;
  state.read = false;
}

void ReadVersionInfo() {
  VersionState& state = State();
  state.block = win::ReadFileVersionBlock(win::ModuleFileName());
  state.read = true;
}

std::string VersionString() {
  VersionState& state = State();
  if (state.initialised && !state.read) ReadVersionInfo();
  const VS_FIXEDFILEINFO* info = win::FixedFileInfo(state.block);
  return info ? FormatFileVersion(*info) : std::string();
}

std::string FormatFileVersion(const VS_FIXEDFILEINFO& info) {
  // Each number is an unsigned 16-bit word; widened to int it prints as
  // 0 to 65535 through %d.
  return win::FormatText(kVersionFormat, static_cast<int>(HIWORD(info.dwFileVersionMS)),
                         static_cast<int>(LOWORD(info.dwFileVersionMS)),
                         static_cast<int>(HIWORD(info.dwFileVersionLS)),
                         static_cast<int>(LOWORD(info.dwFileVersionLS)));
}

}  // namespace about
