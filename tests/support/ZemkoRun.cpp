#include "support/ZemkoRun.h"

#include <gtest/gtest.h>

#include "support/WindowTestSupport.h"
#include "win/WideText.h"

namespace zemko_test {

namespace {

constexpr char kFormClass[] = "Form";
constexpr char kApplicationClass[] = "App";
constexpr char kTitle[] = "Земко";
constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kExitTimeoutMs = 10000;
constexpr DWORD kPollMs = 50;

struct WindowSearch {
  DWORD processId;
  const char* className;
  Shown shown;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  wchar_t caption[64] = {};
  // The caption as the system keeps it: no message to a window that may hang.
  GetWindowTextW(window, caption, sizeof caption / sizeof *caption);
  if ((search->processId == 0 || processId == search->processId) &&
      ClassNameOf(window) == search->className && win::Narrow(caption) == kTitle &&
      (search->shown == Shown::Any || IsWindowVisible(window))) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// The loop makes the windows of the fixed boxes when it starts, after the
// whole window with its first odds row is built: four boxes and the row.
constexpr int kEditBoxesOfABuiltWindow = 5;

}  // namespace

std::string WindowsPath(std::string_view unixPath) {
  std::string path = "Z:";
  path += unixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

HWND FindProgramWindow(DWORD processId, const char* className, Shown shown) {
  WindowSearch search{processId, className, shown, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

ZemkoRun::~ZemkoRun() {
  if (!info_.hProcess) return;
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, kNotRunningExitCode);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

ZemkoRun::ZemkoRun(std::string_view unixPath) : program_(win::Widen(WindowsPath(unixPath))) {}

// As the desktop starts a program: in its own folder.
bool ZemkoRun::Start() {
  std::wstring commandLine = L"\"" + program_ + L"\"";
  const std::wstring folder = program_.substr(0, program_.rfind(L'\\') + 1);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(program_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &info_)) {
    ADD_FAILURE() << "cannot start " << win::Narrow(program_) << ": error " << GetLastError();
    return false;
  }
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kStartTimeoutMs) {
    mainWindow_ = FindProgramWindow(info_.dwProcessId, kFormClass);
    application_ = FindProgramWindow(info_.dwProcessId, kApplicationClass);
    if (mainWindow_ && application_ && IsWindowVisible(mainWindow_) &&
        EditWindowCount(mainWindow_) >= kEditBoxesOfABuiltWindow)
      break;
    if (WaitForSingleObject(info_.hProcess, kPollMs) == WAIT_OBJECT_0) break;
  }
  if (!mainWindow_ || !application_ || !IsWindowVisible(mainWindow_) ||
      EditWindowCount(mainWindow_) < kEditBoxesOfABuiltWindow) {
    ADD_FAILURE() << "the program showed no built main window";
    return false;
  }
  return true;
}

RECT ZemkoRun::MainRect() const {
  RECT rect{};
  GetWindowRect(mainWindow_, &rect);
  return rect;
}

bool ZemkoRun::MoveTo(int left, int top) {
  if (!SetWindowPos(mainWindow_, nullptr, left, top, 0, 0,
                    SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)) {
    return false;
  }
  const RECT rect = MainRect();
  return rect.left == left && rect.top == top;
}

DWORD ZemkoRun::WaitForExit() {
  if (WaitForSingleObject(info_.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(info_.hProcess, kNotRunningExitCode);
    WaitForSingleObject(info_.hProcess, kExitTimeoutMs);
    ADD_FAILURE() << "the program did not end after the close";
    return kNotRunningExitCode;
  }
  DWORD code = kNotRunningExitCode;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

}  // namespace zemko_test
