// Zemko.exe as a separate process, started as its user starts it: the run
// finds the program's main window and taskbar window, and ends the program
// by force only when a test's close did not.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>

namespace zemko_test {

// A Unix path as Wine shows it to Windows programs (drive Z: is the root).
std::string WindowsPath(std::string_view unixPath);

// The top-level window with the class and the caption "Земко" of the
// process, or of any process for a zero id; hidden ones are passed over when
// only a visible one will do.
enum class Shown { Any, VisibleOnly };
HWND FindProgramWindow(DWORD processId, const char* className, Shown shown = Shown::Any);

// One run of the program; a run that does not end is ended by the test.
class ZemkoRun {
 public:
  explicit ZemkoRun(std::string_view unixPath);
  // A program file's Windows path, of any letters.
  explicit ZemkoRun(std::wstring windowsPath) : program_(std::move(windowsPath)) {}
  ZemkoRun(const ZemkoRun&) = delete;
  ZemkoRun& operator=(const ZemkoRun&) = delete;
  ~ZemkoRun();

  // Starts the program and waits until its main window is shown and built
  // (its message loop has made the windows of its boxes).
  bool Start();

  HWND MainWindow() const { return mainWindow_; }
  HWND Application() const { return application_; }
  RECT MainRect() const;
  // Where the user left the window, as a drag would leave it.
  bool MoveTo(int left, int top);
  // The exit code, or kNotRunningExitCode after ending a run that hung.
  DWORD WaitForExit();
  DWORD ThreadId() const { return info_.dwThreadId; }

  static constexpr DWORD kNotRunningExitCode = 0xDEAD;

 private:
  std::wstring program_;
  PROCESS_INFORMATION info_{};
  HWND mainWindow_ = nullptr;
  HWND application_ = nullptr;
};

}  // namespace zemko_test
