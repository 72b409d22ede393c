// Stands in for the browser as the shell's program for web pages in a copy
// of the test prefix: started, it writes its command line (UTF-16) into
// "<its own file>.commandline" and ends.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  const std::wstring record = std::wstring(path, length) + L".commandline";
  const std::wstring commandLine = GetCommandLineW();
  HANDLE file = CreateFileW(record.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const DWORD size = static_cast<DWORD>(commandLine.size() * sizeof(wchar_t));
  const bool ok = WriteFile(file, commandLine.data(), size, &written, nullptr) && written == size;
  CloseHandle(file);
  return ok ? 0 : 1;
}
