// A library planted beside Zemko.exe under the name of a system library
// (version.dll, comctl32.dll, ...): loaded, it leaves a mark file beside
// itself, "<its name>.loaded"; called, "<its name>.called"; and it passes
// every call it exports on to the real library of its name in the system
// folder, so a program that loads it goes on working. The same source makes
// each of them; only the file name differs.
#include <windows.h>

#include <string>

namespace {

HMODULE self = nullptr;

std::wstring OwnPath() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
  return std::wstring(path, length);
}

void LeaveMark(const wchar_t* suffix) {
  const std::wstring mark = OwnPath() + suffix;
  HANDLE file = CreateFileW(mark.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

// The real library: the one of this file's name in the system folder.
void* Real(const char* name) {
  static HMODULE real = [] {
    const std::wstring own = OwnPath();
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring path = std::wstring(system) + own.substr(own.rfind(L'\\'));
    return LoadLibraryW(path.c_str());
  }();
  // Through void*: a procedure address has no one function type.
  return real ? reinterpret_cast<void*>(GetProcAddress(real, name)) : nullptr;
}

// The real function, once the call has left its mark.
template <typename Function>
Function RealFunction(const char* name) {
  LeaveMark(L".called");
  return reinterpret_cast<Function>(Real(name));
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    self = instance;
    LeaveMark(L".loaded");
  }
  return TRUE;
}

// version.dll
DWORD WINAPI PlantedGetFileVersionInfoSizeA(LPCSTR file, LPDWORD handle) {
  auto real = RealFunction<DWORD(WINAPI*)(LPCSTR, LPDWORD)>("GetFileVersionInfoSizeA");
  return real ? real(file, handle) : 0;
}
DWORD WINAPI PlantedGetFileVersionInfoSizeW(LPCWSTR file, LPDWORD handle) {
  auto real = RealFunction<DWORD(WINAPI*)(LPCWSTR, LPDWORD)>("GetFileVersionInfoSizeW");
  return real ? real(file, handle) : 0;
}
BOOL WINAPI PlantedGetFileVersionInfoA(LPCSTR file, DWORD handle, DWORD size, LPVOID data) {
  auto real = RealFunction<BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID)>("GetFileVersionInfoA");
  return real ? real(file, handle, size, data) : FALSE;
}
BOOL WINAPI PlantedGetFileVersionInfoW(LPCWSTR file, DWORD handle, DWORD size, LPVOID data) {
  auto real = RealFunction<BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID)>("GetFileVersionInfoW");
  return real ? real(file, handle, size, data) : FALSE;
}
BOOL WINAPI PlantedVerQueryValueA(LPCVOID block, LPCSTR path, LPVOID* value, PUINT length) {
  auto real = RealFunction<BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT)>("VerQueryValueA");
  return real ? real(block, path, value, length) : FALSE;
}
BOOL WINAPI PlantedVerQueryValueW(LPCVOID block, LPCWSTR path, LPVOID* value, PUINT length) {
  auto real = RealFunction<BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT)>("VerQueryValueW");
  return real ? real(block, path, value, length) : FALSE;
}

// comctl32.dll
void WINAPI PlantedInitCommonControls() {
  if (auto real = RealFunction<void(WINAPI*)()>("InitCommonControls")) real();
}
BOOL WINAPI PlantedTrackMouseEvent(LPTRACKMOUSEEVENT event) {
  auto real = RealFunction<BOOL(WINAPI*)(LPTRACKMOUSEEVENT)>("_TrackMouseEvent");
  return real ? real(event) : FALSE;
}

// shell32.dll
HINSTANCE WINAPI PlantedShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                      LPCSTR directory, INT show) {
  auto real = RealFunction<HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT)>(
      "ShellExecuteA");
  return real ? real(owner, verb, file, parameters, directory, show) : nullptr;
}
HINSTANCE WINAPI PlantedShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                                      LPCWSTR directory, INT show) {
  auto real = RealFunction<HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT)>(
      "ShellExecuteW");
  return real ? real(owner, verb, file, parameters, directory, show) : nullptr;
}

}  // extern "C"
