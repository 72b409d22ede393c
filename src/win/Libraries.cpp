#include "win/Libraries.h"

#include <windows.h>

#include <string>

#include "base/FloatingPoint.h"
#include "win/Folders.h"
#include "win/WideText.h"

namespace win {

void* LibraryProcedure(const char* library, const char* name, Loading loading) {
  HMODULE module = nullptr;
  if (loading == Loading::OnDemand) {
    // A library of that name beside the program, which Windows would find
    // first for a bare name, is never the one loaded; the library's own
    // imports are looked for beside it, in the system folder.
    const std::wstring path = SystemFolderFile(Widen(library));
    if (!path.empty()) {
      module = base::CallForeign(
          [&] { return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH); });
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
          "kernel32.dll", "SetDefaultDllDirectories", Loading::AlreadyLoaded)) {
    restrictSearch(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
}

}  // namespace win
