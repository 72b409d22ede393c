#include <vector>

#include "about/About.h"
#include "win/Files.h"
#include "win/Format.h"

namespace about {

namespace {

constexpr char kVersionFormat[] = "%d.%d.%d.%d";

// The program file's version block, read once and kept for the whole run.
std::vector<char>& VersionBlock() {
  static std::vector<char> block;
  return block;
}

}  // namespace

void Initialise() { ReadVersionInfo(); }

void Finalise() { std::vector<char>().swap(VersionBlock()); }

void ReadVersionInfo() { VersionBlock() = win::ReadFileVersionBlock(win::ModuleFileName()); }

std::string VersionString() {
  const VS_FIXEDFILEINFO* info = win::FixedFileInfo(VersionBlock());
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
