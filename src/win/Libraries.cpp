#include "win/Libraries.h"

#include <windows.h>

#include <string>

#include "base/FloatingPoint.h"
#include "win/WideText.h"

namespace win {

namespace {

// The library's full path in the system folder: a library of that name
// beside the program, which Windows would find first for a bare name, is
// never the one loaded.
std::wstring SystemLibraryPath(const char* library) {
  const UINT size = GetSystemDirectoryW(nullptr, 0);
  if (size == 0) return {};
  std::wstring path(size, L'\0');
  const UINT length = GetSystemDirectoryW(path.data(), size);
  if (length == 0 || length >= size) return {};
  path.resize(length);
  path += L'\\';
  path += Widen(library);
  return path;
}

}  // namespace

void* LibraryProcedure(const char* library, const char* name, Loading loading) {
  HMODULE module = nullptr;
  if (loading == Loading::OnDemand) {
    const std::wstring path = SystemLibraryPath(library);
    // The library's own imports are looked for beside it, in the system
    // folder, not beside the program.
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
