#include <vector>

#include "about/About.h"
#include "widgets/Support.h"

namespace about {

namespace {

constexpr char kRootBlock[] = "\\";
constexpr char kVersionFormat[] = "%d.%d.%d.%d";

// The program file's version block, read once and kept for the whole run.
std::vector<char>& VersionBlock() {
  static std::vector<char> block;
  return block;
}

}  // namespace

void Initialise() { ReadVersionInfo(); }

void Finalise() { std::vector<char>().swap(VersionBlock()); }

void ReadVersionInfo() {
  const std::string path = widgets::ModuleFileName();
  DWORD unused = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &unused);
  std::vector<char>& block = VersionBlock();
  block.assign(size, 0);
  if (size == 0 || !GetFileVersionInfoA(path.c_str(), 0, size, block.data())) block.clear();
}

std::string VersionString() {
  std::vector<char>& block = VersionBlock();
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (block.empty() ||
      !VerQueryValueA(block.data(), kRootBlock, reinterpret_cast<void**>(&info), &length) ||
      !info || length < sizeof *info)
    return {};
  return FormatFileVersion(*info);
}

std::string FormatFileVersion(const VS_FIXEDFILEINFO& info) {
  // Each number is an unsigned 16-bit word; widened to int it prints as
  // 0 to 65535 through %d.
  return widgets::FormatText(kVersionFormat, static_cast<int>(HIWORD(info.dwFileVersionMS)),
                             static_cast<int>(LOWORD(info.dwFileVersionMS)),
                             static_cast<int>(HIWORD(info.dwFileVersionLS)),
                             static_cast<int>(LOWORD(info.dwFileVersionLS)));
}

}  // namespace about
