#include "win/SystemVersion.h"

#include <windows.h>

#include "win/Libraries.h"

namespace win {

namespace {
// Zero for success, as the kernel's calls report it.
constexpr LONG kStatusSuccess = 0;
}  // namespace

SystemVersion RealSystemVersion() {
  // ntdll is in every process from its start: looked up, never loaded.
  using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
  static const auto getVersion = LibraryFunction<RtlGetVersionFunction>(
      "ntdll.dll", "RtlGetVersion", Loading::AlreadyLoaded);
  if (!getVersion) return {};
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (getVersion(&info) != kStatusSuccess) return {};
  return {info.dwMajorVersion, info.dwMinorVersion};
}

}  // namespace win
