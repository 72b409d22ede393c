// The close, minimise and help buttons of the real main window, clicked
// with the real mouse while the program's own message loop runs.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/MainSequence.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PositionStore.h"
#include "support/MainWindowHarness.h"
#include "support/PositionRegistry.h"
#include "win/Files.h"

using namespace zemko_test;

namespace {

// ---------------------------------------------------------------- processes

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// Processes this process started whose program file has the given name.
std::vector<DWORD> ChildProcesses(const char* exeName) {
  std::vector<DWORD> found;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return found;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (entry.th32ParentProcessID == GetCurrentProcessId() &&
        Lower(entry.szExeFile) == Lower(exeName)) {
      found.push_back(entry.th32ProcessID);
    }
  }
  CloseHandle(snapshot);
  return found;
}

struct ProcessWindowSearch {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<ProcessWindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId) search->found.push_back(window);
  return TRUE;
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
  ProcessWindowSearch search{processId, {}};
  EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

constexpr char kHelpViewer[] = "winhlp32.exe";
constexpr char kDialogClass[] = "#32770";
constexpr int kMessageTextId = 0xFFFF;  // the static text of a message box
constexpr DWORD kWatchSliceMs = 50;
constexpr DWORD kProcessExitWaitMs = 5000;
constexpr DWORD kBoxWaitMs = 15000;
constexpr DWORD kSettleMs = 300;

// Watches, on its own thread, for the message boxes of this process or of
// a help viewer it started and answers each one (with No where it asks, so
// that a viewer offers no file dialog), keeping their texts. The test's own
// thread is inside the box's loop all that time.
class BoxWatch {
 public:
  BoxWatch() : thread_([this] { Run(); }) {}
  ~BoxWatch() { Stop(); }
  BoxWatch(const BoxWatch&) = delete;
  BoxWatch& operator=(const BoxWatch&) = delete;

  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  int Answered() const { return answered_; }
  std::vector<std::string> Texts() {
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_;
  }

 private:
  void Run() {
    while (!stop_) {
      for (HWND window : TopLevelWindowsOf(GetCurrentProcessId())) Answer(window);
      for (DWORD process : ChildProcesses(kHelpViewer)) {
        for (HWND window : TopLevelWindowsOf(process)) Answer(window);
      }
      Sleep(kWatchSliceMs);
    }
  }

  void Answer(HWND window) {
    if (!IsWindowVisible(window) || ClassNameOf(window) != kDialogClass) {
      return;
    }
    if (std::find(answeredWindows_.begin(), answeredWindows_.end(), window) !=
        answeredWindows_.end()) {
      return;
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      texts_.push_back(TextOf(GetDlgItem(window, kMessageTextId)));
    }
    int answer = GetDlgItem(window, IDNO) ? IDNO : GetDlgItem(window, IDCANCEL) ? IDCANCEL : IDOK;
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    answeredWindows_.push_back(window);
    ++answered_;
  }

  std::atomic<bool> stop_{false};
  std::atomic<int> answered_{0};
  std::mutex mutex_;
  std::vector<std::string> texts_;
  std::vector<HWND> answeredWindows_;
  std::thread thread_;
};

// Ends the help viewers this process started: asked to close first, ended
// only when they do not. Nothing else is touched.
void EndHelpViewers() {
  for (DWORD id : ChildProcesses(kHelpViewer)) {
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id);
    if (!process) continue;
    for (HWND window : TopLevelWindowsOf(id)) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process, kProcessExitWaitMs) != WAIT_OBJECT_0) {
      TerminateProcess(process, 1);
      WaitForSingleObject(process, kProcessExitWaitMs);
    }
    CloseHandle(process);
  }
}

class WindowCommandsTest : public MainWindowTest {
 protected:
  WindowCommandsTest() { loopEnd_ = LoopEnd::Quit; }
  void AfterBuild() override {
    form_->SetLeft(kPlacedLeft);
    form_->SetTop(kPlacedTop);
  }
};

// ---------------------------------------------------------------- close

TEST_F(WindowCommandsTest, CloseButtonOnlyPostsTheCloseRequest) {
  RunInLoop([&] {
    // The layer's click runs the command at once; the close waits in the queue.
    Window().closeButton->Click();
    EXPECT_TRUE(IsWindowVisible(MainHandle()));
    EXPECT_FALSE(ReadValue(mainwindow::kTopValue).has_value())
        << "nothing saved before the queue runs";
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, MainHandle(), WM_CLOSE, WM_CLOSE, PM_NOREMOVE));
    EXPECT_EQ(0u, message.wParam);
    EXPECT_EQ(0, message.lParam);
    EXPECT_TRUE(PumpUntil(QuitSeen));
  });
  EXPECT_EQ(ReadValue(mainwindow::kTopValue), DwordValue(mainwindow::kTopValue, kPlacedTop));
  EXPECT_EQ(ReadValue(mainwindow::kLeftValue), DwordValue(mainwindow::kLeftValue, kPlacedLeft));
}

// ---------------------------------------------------------------- minimise

TEST_F(WindowCommandsTest, MinimiseButtonTakesTheWholeProgramToItsTaskbarEntry) {
  RunInLoop([&] {
    HWND app = application_->EnsureWindow();
    HWND main = MainHandle();
    RECT mainBefore, appBefore;
    GetWindowRect(main, &mainBefore);
    GetWindowRect(app, &appBefore);
    ASSERT_TRUE(IsWindowVisible(main));

    ClickOn(Window().minimiseButton->EnsureWindow());
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(app) != FALSE; })) << "the application object";
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(main); })) << "the main window goes too";

    // Restored as the taskbar restores it: the system's restore command.
    SendMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsIconic(app) && IsWindowVisible(main); }));
    RECT mainAfter, appAfter;
    GetWindowRect(main, &mainAfter);
    GetWindowRect(app, &appAfter);
    EXPECT_TRUE(SameRect(mainBefore, mainAfter)) << "back where it was";
    // Minimised directly, not through the move to the main window's place.
    EXPECT_TRUE(SameRect(appBefore, appAfter));
  });
}

// ---------------------------------------------------------------- help

// Neither help file lies beside the test program: the program's own box
// names the help file, which this system's viewer would show, and no viewer
// starts.
TEST_F(WindowCommandsTest, HelpWithoutAHelpFileSaysSoAndLeavesTheProgramRunning) {
  const std::string helpFile = win::HelpFilePath().Text();
  ASSERT_EQ((win::ModuleDirectory() + app::kHelpFileName).Text(), helpFile);
  for (const std::string& file : {helpFile, win::HelpFilePath().WithExtension(".html").Text()}) {
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(file.c_str()))
        << "no help file may lie beside the test program";
  }
  ASSERT_TRUE(ChildProcesses(kHelpViewer).empty());

  BoxWatch watch;
  RunInLoop([&] {
    ClickOn(Window().helpButton->EnsureWindow());
    PumpUntil([&] { return watch.Answered() > 0; }, kBoxWaitMs);
    PumpFor(kSettleMs);

    // Still responsive: the About button opens its window.
    const size_t aboutBefore = AboutWindowsOf(MainHandle()).size();
    ClickOn(Window().aboutButton->EnsureWindow());
    EXPECT_TRUE(PumpUntil([&] { return AboutWindowsOf(MainHandle()).size() > aboutBefore; }));
    EXPECT_TRUE(IsWindowVisible(MainHandle()));
  });
  watch.Stop();
  EXPECT_EQ(std::vector<std::string>{"Не найден файл справки Zemko.hlp в папке программы."},
            watch.Texts());
  EXPECT_TRUE(ChildProcesses(kHelpViewer).empty()) << "a help viewer was started";
  EndHelpViewers();
}

// F1 runs the help command wherever the focus is: in a box of the main
// window, and in an About window, which passes the key on to its owner.
TEST_F(WindowCommandsTest, F1OpensTheHelpFromTheMainWindowAndFromAnAboutWindow) {
  for (bool inAbout : {false, true}) {
    if (inAbout) Build();
    BoxWatch watch;
    RunInLoop([&] {
      SetForegroundWindow(MainHandle());
      Window().stakeBox->TakeFocus();
      if (inAbout) Window().aboutButton->Click();  // the new window takes the focus
      PumpFor(kSettleMs);
      InputKeys({VK_F1});
      EXPECT_TRUE(PumpUntil([&] { return watch.Answered() > 0; }, kBoxWaitMs))
          << "no help command, About window: " << inAbout;
      EXPECT_EQ(AboutWindowsOf(MainHandle()).size(), inAbout ? 1u : 0u);
    });
    watch.Stop();
    // No help file lies beside the test program: the help command says so.
    EXPECT_EQ(std::vector<std::string>{"Не найден файл справки Zemko.hlp в папке программы."},
              watch.Texts());
    EndHelpViewers();
  }
}

}  // namespace
