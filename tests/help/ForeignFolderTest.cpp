// The program started from a folder whose name mixes Greek, Russian and
// Japanese letters, as a user whose folders carry letters outside the
// system's code page has it: the help button still opens the help at its
// first topic, and the About window still shows the version. The suite runs
// under ru_RU and under en_US (ZEMKO_LOCALE).
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "help/HelpViewer.h"
#include "support/Input.h"
#include "support/WindowTestSupport.h"
#include "support/ZemkoRun.h"
#include "win/Files.h"
#include "win/WideText.h"

namespace {

using namespace zemko_help_test;
using zemko_test::TextOf;

constexpr wchar_t kFolderName[] = L"\x03A3 Дмитрий 日本";  // Σ Дмитрий 日本
constexpr wchar_t kAboutCaption[] = L"О программе";
constexpr wchar_t kVersionLine[] = L"Версия : 1.0.1.3";
constexpr char kFirstTopicExample[] = "600 + 800 + 1200 = 2600,00";
constexpr DWORD kViewerTimeMs = 30000;
constexpr DWORD kTopicTimeMs = 10000;
constexpr DWORD kCloseTimeMs = 10000;
constexpr DWORD kAboutTimeMs = 5000;
// The About button: 16 x 16 on the caption strip, its left at the client
// width minus 58, two pixels from the top.
constexpr int kCaptionButtonSize = 16;
constexpr int kAboutButtonLeftFromRight = 58;
constexpr int kAboutButtonTop = 2;

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\') + 1); }

// The program and its help, copied into a folder of the test's, so the built
// program's folder keeps one program.
std::wstring CopyIntoForeignFolder() {
  const std::wstring built = win::Widen(zemko_test::WindowsPath(ZEMKO_EXE));
  const std::wstring folder = win::Widen(zemko_test::WindowsPath(ZEMKO_COPIES_DIR)) + L"\\" +
                              kFolderName + L"\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  for (const wchar_t* name : {L"Zemko.exe", L"Zemko.hlp"}) {
    if (!CopyFileW((FolderOf(built) + name).c_str(), (folder + name).c_str(), FALSE)) return {};
  }
  return folder + L"Zemko.exe";
}

struct AboutSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK FindAbout(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<AboutSearch*>(context);
  if (GetWindow(window, GW_OWNER) != search->owner ||
      zemko_test::WideTextOf(window) != kAboutCaption)
    return TRUE;
  search->found = window;
  return FALSE;
}

HWND WaitForAbout(HWND mainWindow) {
  const DWORD start = GetTickCount();
  AboutSearch search{mainWindow, nullptr};
  while (!search.found && GetTickCount() - start < kAboutTimeMs) {
    EnumWindows(FindAbout, reinterpret_cast<LPARAM>(&search));
    Sleep(kPollMs);
  }
  return search.found;
}

class ForeignFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseViewers(kCloseTimeMs);
    ASSERT_TRUE(WarmUpViewer(kViewerTimeMs));
    program_ = CopyIntoForeignFolder();
    ASSERT_FALSE(program_.empty()) << "cannot copy the program: error " << GetLastError();
    run_ = std::make_unique<zemko_test::ZemkoRun>(program_);
    ASSERT_TRUE(run_->Start());
  }

  void TearDown() override {
    EXPECT_TRUE(CloseViewers(kCloseTimeMs));
    if (!run_ || !run_->MainWindow()) return;
    PostMessageW(run_->MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, run_->WaitForExit());
  }

  std::wstring program_;
  std::unique_ptr<zemko_test::ZemkoRun> run_;
};

// The viewer is a program of the system's code page: its caption holds the
// help file's title in those bytes, and its topic window gives the text back
// through that code page, where Cyrillic letters do not survive. So the
// caption is read back in the system's code page, and the first topic is
// known by its worked example's digits.
TEST_F(ForeignFolder, HelpOpensAtItsFirstTopic) {
  ClickHelpButton(run_->MainWindow());
  HWND viewer = WaitForViewer(kViewerTimeMs);
  ASSERT_NE(nullptr, viewer) << "no help viewer with a topic appeared";
  const DWORD start = GetTickCount();
  while (TextOf(TopicTextWindow(viewer)).find(kFirstTopicExample) == std::string::npos &&
         GetTickCount() - start < kTopicTimeMs) {
    Sleep(kPollMs);
  }
  EXPECT_NE(std::string::npos, TextOf(TopicTextWindow(viewer)).find(kFirstTopicExample))
      << TextOf(TopicTextWindow(viewer));
  char caption[128] = {};
  GetWindowTextA(viewer, caption, sizeof caption);
  EXPECT_STREQ(kHelpTitle, caption);
  EXPECT_TRUE(DialogWindows().empty()) << "an error box is shown";
}

// Also once the running program's file was renamed (a self-updater does
// that): the version comes from the program in memory.
TEST_F(ForeignFolder, AboutShowsTheVersion) {
  const std::wstring renamed = program_ + L".old";
  ASSERT_TRUE(MoveFileExW(program_.c_str(), renamed.c_str(), MOVEFILE_REPLACE_EXISTING))
      << "error " << GetLastError();
  RECT client;
  GetClientRect(run_->MainWindow(), &client);
  constexpr int kHalf = kCaptionButtonSize / 2;
  zemko_test::ClickAt(zemko_test::OnScreen(run_->MainWindow(),
                                           client.right - kAboutButtonLeftFromRight + kHalf,
                                           kAboutButtonTop + kHalf));
  HWND about = WaitForAbout(run_->MainWindow());
  ASSERT_NE(nullptr, about);
  const std::vector<HWND> labels = zemko_test::ChildrenOfClass(about, "STATIC");
  ASSERT_EQ(3u, labels.size());
  EXPECT_EQ(kVersionLine, zemko_test::WideTextOf(labels[1]));
}

// The help file's path as the viewer gets it, in the system's code page:
// it comes back from that code page unchanged and names the same file.
TEST(ForeignFolderPath, SurvivesTheSystemCodePageAndNamesTheSameFile) {
  const std::wstring program = CopyIntoForeignFolder();
  ASSERT_FALSE(program.empty()) << "cannot copy the program: error " << GetLastError();
  const std::wstring help = FolderOf(program) + L"Zemko.hlp";
  const std::wstring path = win::PathForCodePageReaders(help);

  char bytes[MAX_PATH * 2] = {};
  const int size = WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, bytes, sizeof bytes, nullptr,
                                       nullptr);
  ASSERT_GT(size, 0);
  wchar_t back[MAX_PATH * 2] = {};
  ASSERT_GT(MultiByteToWideChar(CP_ACP, 0, bytes, -1, back, MAX_PATH * 2), 0);
  EXPECT_EQ(path, back) << "the path did not survive code page " << GetACP();

  auto identity = [](const std::wstring& file) {
    BY_HANDLE_FILE_INFORMATION info{};
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return std::wstring();
    GetFileInformationByHandle(handle, &info);
    CloseHandle(handle);
    return std::to_wstring(info.dwVolumeSerialNumber) + L":" +
           std::to_wstring(info.nFileIndexHigh) + L":" + std::to_wstring(info.nFileIndexLow);
  };
  ASSERT_FALSE(identity(help).empty());
  EXPECT_EQ(identity(help), identity(back));
}

}  // namespace
