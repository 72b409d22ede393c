// Zemko.exe started as a separate process, as a user starts it: its taskbar
// entry and main window appear, and every way of closing ends it with 0.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

constexpr DWORD kWaitMs = 20000;
constexpr char kTitle[] = "Земко";
constexpr char kPositionKey[] = "software\\Vadrex\\Zemko";

// Wine maps drive Z: to the Unix root.
std::string ProgramPath() {
  std::string path = std::string("Z:") + ZEMKO_EXE_PATH;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

struct Search {
  DWORD process;
  HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == search->process && ClassOf(window) == "Form" && TextOf(window) == kTitle &&
      IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

class ZemkoProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kPositionKey);
    const std::string program = ProgramPath();
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, &startup, &info_))
        << program;
    const DWORD start = GetTickCount();
    while (!mainWindow_ && GetTickCount() - start < kWaitMs) {
      Search search{info_.dwProcessId, nullptr};
      EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
      mainWindow_ = search.found;
      if (!mainWindow_) Sleep(50);
    }
    ASSERT_NE(mainWindow_, nullptr) << "no main window";
    application_ = GetWindow(mainWindow_, GW_OWNER);
  }

  void TearDown() override {
    if (info_.hProcess) {
      if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 99);
      CloseHandle(info_.hThread);
      CloseHandle(info_.hProcess);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, kPositionKey);
  }

  // Waits for the program to end and gives its exit code.
  DWORD ExitCode() {
    if (WaitForSingleObject(info_.hProcess, kWaitMs) != WAIT_OBJECT_0) return 0xDEAD;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }

  bool PositionSaved() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kPositionKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
      return false;
    DWORD type = 0, value = 0, size = sizeof value;
    const bool saved = RegQueryValueExA(key, "Top", nullptr, &type,
                                        reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
                       type == REG_DWORD;
    RegCloseKey(key);
    return saved;
  }

  PROCESS_INFORMATION info_{};
  HWND mainWindow_ = nullptr;
  HWND application_ = nullptr;
};

TEST_F(ZemkoProcess, ShowsTheMainWindowOwnedByTheTaskbarEntry) {
  ASSERT_NE(application_, nullptr);
  EXPECT_EQ(ClassOf(application_), "App");
  EXPECT_EQ(TextOf(application_), kTitle);
  EXPECT_TRUE(GetWindowLongA(application_, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_TRUE(IsWindowVisible(application_));
  RECT outer;
  GetWindowRect(application_, &outer);
  EXPECT_EQ(outer.right - outer.left, 0);
  EXPECT_EQ(outer.bottom - outer.top, 0);

  // No caption bar: a caption-less pop-up with a one-pixel border.
  const LONG style = GetWindowLongA(mainWindow_, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_BORDER);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  RECT client;
  GetClientRect(mainWindow_, &client);
  EXPECT_EQ(client.right, 250);
  EXPECT_EQ(client.bottom, 190);
  GetWindowRect(mainWindow_, &outer);
  EXPECT_EQ(outer.left, 0);  // no stored position: the screen's corner
  EXPECT_EQ(outer.top, 0);

  PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 0u);
}

TEST_F(ZemkoProcess, CloseRequestEndsWithZeroAndSavesThePosition) {
  PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 0u);
  EXPECT_TRUE(PositionSaved());
}

TEST_F(ZemkoProcess, CloseFromTheTaskbarEntryEndsWithZero) {
  PostMessageA(application_, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(ExitCode(), 0u);
  EXPECT_TRUE(PositionSaved());
}

TEST_F(ZemkoProcess, AltF4EndsWithZero) {
  // Alt+F4 reaches the main window as the system menu's Close.
  PostMessageA(mainWindow_, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(ExitCode(), 0u);
  EXPECT_TRUE(PositionSaved());
}

}  // namespace
