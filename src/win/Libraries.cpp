#include "win/Libraries.h"

#include <windows.h>

#include <string>

#include "base/FloatingPoint.h"
#include "win/Folders.h"
#include "win/WideText.h"

namespace win {

namespace {

constexpr char kKernelLibrary[] = "kernel32.dll";
constexpr char kSetDefaultDllDirectories[] = "SetDefaultDllDirectories";

// SetDefaultDllDirectories comes with the search flags (Windows 8, or update
// KB2533623 on Windows 7 and Vista): its presence says that LoadLibraryEx
// understands them.
bool HasSearchFlags() {
  static const bool has = GetProcAddress(GetModuleHandleA(kKernelLibrary),
                                         kSetDefaultDllDirectories) != nullptr;
  return has;
}

// The imports of a library loaded by its full path: from the system folder
// only where the system can say so. Elsewhere the search starts in the
// library's own folder (the system folder) rather than beside the program.
DWORD SystemLibrarySearch() {
  return HasSearchFlags() ? LOAD_LIBRARY_SEARCH_SYSTEM32 : LOAD_WITH_ALTERED_SEARCH_PATH;
}

}  // namespace

void* LibraryProcedure(const char* library, const char* name, Loading loading) {
  HMODULE module = nullptr;
  if (loading == Loading::OnDemand) {
    // A library of that name beside the program, which Windows would find
    // first for a bare name, is never the one loaded.
    const std::wstring path = SystemFolderFile(Widen(library));
    if (!path.empty()) {
      module = base::CallForeign(
          [&] { return LoadLibraryExW(path.c_str(), nullptr, SystemLibrarySearch()); });
    }
  } else {
    module = GetModuleHandleW(Widen(library).c_str());
  }
  // Through void*: a procedure address has no one function type.
  return module ? reinterpret_cast<void*>(GetProcAddress(module, name)) : nullptr;
}

void RestrictLibrarySearch() {
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  // Older systems lack it; there every library is loaded by its full path.
  if (auto restrictSearch = LibraryFunction<SetDefaultDllDirectoriesFunction>(
          kKernelLibrary, kSetDefaultDllDirectories, Loading::AlreadyLoaded)) {
    restrictSearch(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
}

}  // namespace win
