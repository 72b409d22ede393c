// The help button of the running program, pressed with the mouse: WinHelp
// starts the viewer that Wine ships, which opens Zemko.hlp from the
// program's folder at its first topic, captioned with the help file's title,
// without any error box; a jump in the text opens another topic. A help
// file that is not the shipped one is never opened, and a box says so. On
// other systems (copies of the test prefix): a viewer in the system folder
// only still opens the help, and while a slow viewer starts the window
// paints. The test ends the viewer it caused and closes the program.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "help/HelpViewer.h"
#include "support/WindowTestSupport.h"
#include "support/ZemkoRun.h"
#include "win/WideText.h"

namespace {

using namespace zemko_help_test;
using zemko_test::TextOf;

constexpr DWORD kViewerTimeMs = 30000;
constexpr DWORD kTopicTimeMs = 10000;
constexpr DWORD kCloseTimeMs = 10000;
constexpr char kViewerProgram[] = "winhlp32.exe";
constexpr wchar_t kViewerFile[] = L"winhlp32.exe";
constexpr int kJumpClicks = 3;
constexpr DWORD kJumpWaitMs = 3000;
constexpr DWORD kSettleMs = 500;
// A window that has its messages paints at once; the slow viewer sleeps
// for much longer (SlowViewer.cpp).
constexpr DWORD kRepaintTimeMs = 1500;
constexpr DWORD kMessageTimeMs = 5000;
constexpr char kMessageBoxClass[] = "#32770";
constexpr char kNotOursMessage[] = "Файл справки Zemko.hlp повреждён или подменён.";

std::wstring WindowsFolder() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

std::wstring Lower(std::wstring text) {
  CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// Clicks the jump and waits for its topic. A click that reached the viewer
// before it was ready for it is given again, as a user would.
bool FollowJump(HWND viewer, const char* jump, const char* topic) {
  for (int click = 0; click < kJumpClicks; ++click) {
    if (!ClickTextIn(TopicTextWindow(viewer), jump))
      return WaitForTopic(viewer, topic, kJumpWaitMs);
    if (WaitForTopic(viewer, topic, kJumpWaitMs)) return true;
  }
  return false;
}

class HelpViewer : public ::testing::Test {
 protected:
  void SetUp() override {
    // A viewer left by an earlier run would take the command instead of a
    // new one.
    CloseViewers(kCloseTimeMs);
    ASSERT_TRUE(WarmUpViewer(kViewerTimeMs));
    ASSERT_TRUE(run_.Start());
  }

  void TearDown() override {
    EXPECT_TRUE(CloseViewers(kCloseTimeMs)) << "the viewer did not end when closed";
    EXPECT_TRUE(ViewerWindows().empty());
    if (!run_.MainWindow()) return;  // the start failed, and said so
    PostMessageA(run_.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, run_.WaitForExit());
  }

  // Presses the help button and waits for the viewer to show its topic.
  HWND OpenHelp() {
    ClickHelpButton(run_.MainWindow());
    return WaitForViewer(kViewerTimeMs);
  }

  zemko_test::ZemkoRun run_{ZEMKO_EXE};
};

TEST_F(HelpViewer, HelpButtonShowsTheFirstTopicUnderTheHelpFilesTitle) {
  HWND viewer = OpenHelp();
  ASSERT_NE(nullptr, viewer) << "no help viewer with a topic appeared";
  EXPECT_STRCASEEQ(kViewerProgram, ProcessImageName(viewer).c_str());
  ASSERT_TRUE(WaitForTopic(viewer, kFirstTopic, kTopicTimeMs)) << TextOf(TopicTextWindow(viewer));
  EXPECT_EQ(kHelpTitle, TextOf(viewer));

  // The topic's own words, read back in the program's code page, and the
  // worked example's payout as the program shows it.
  const std::string text = TextOf(TopicTextWindow(viewer));
  EXPECT_NE(std::string::npos, text.find("Земко считает, сколько принесёт системная ставка."))
      << text;
  EXPECT_NE(std::string::npos, text.find("= 2600,00.")) << text;
  EXPECT_TRUE(DialogWindows().empty()) << "an error box is shown";
}

TEST_F(HelpViewer, JumpsInTheTextOpenTheirTopics) {
  HWND viewer = OpenHelp();
  ASSERT_NE(nullptr, viewer);
  ASSERT_TRUE(WaitForTopic(viewer, kFirstTopic, kTopicTimeMs));

  // A jump in the middle of a paragraph of the first topic.
  ASSERT_TRUE(FollowJump(viewer, "Как ввести ставку", "Как ввести ставку"))
      << TextOf(TopicTextWindow(viewer));
  EXPECT_NE(std::string::npos, TextOf(TopicTextWindow(viewer)).find("Возврат."));

  // And on from there, by the jump at that topic's end.
  ASSERT_TRUE(FollowJump(viewer, "Клавиши", "Клавиши")) << TextOf(TopicTextWindow(viewer));
  EXPECT_NE(std::string::npos, TextOf(TopicTextWindow(viewer)).find("Ctrl+Enter"));
  EXPECT_EQ(kHelpTitle, TextOf(viewer)) << "the same window shows each topic";
  EXPECT_TRUE(DialogWindows().empty()) << "an error box is shown";
}

// ---------------------------------------------------------------- a file not ours

// The program copied beside a Zemko.hlp that differs from the shipped one in
// one byte of its middle, so that only its digest tells.
std::wstring BesideAForeignHelpFile() {
  const std::wstring built = win::Widen(zemko_test::WindowsPath(ZEMKO_EXE));
  const std::wstring from = built.substr(0, built.rfind(L'\\') + 1);
  const std::wstring folder = win::Widen(zemko_test::WindowsPath(ZEMKO_COPIES_DIR)) +
                              L"\\foreign-help\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  for (const wchar_t* name : {L"Zemko.exe", L"Zemko.hlp"}) {
    if (!CopyFileW((from + name).c_str(), (folder + name).c_str(), FALSE)) return {};
  }
  HANDLE file = CreateFileW((folder + L"Zemko.hlp").c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  const LONG middle = static_cast<LONG>(GetFileSize(file, nullptr) / 2);
  char byte = 0;
  DWORD done = 0;
  const bool changed =
      SetFilePointer(file, middle, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
      ReadFile(file, &byte, 1, &done, nullptr) && done == 1 &&
      SetFilePointer(file, middle, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
      (byte = static_cast<char>(~byte), WriteFile(file, &byte, 1, &done, nullptr)) && done == 1;
  CloseHandle(file);
  return changed ? folder + L"Zemko.exe" : std::wstring();
}

struct BoxSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindBoxOf(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<BoxSearch*>(context);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != search->processId || zemko_test::ClassNameOf(window) != kMessageBoxClass ||
      !IsWindowVisible(window))
    return TRUE;
  search->found = window;
  return FALSE;
}

TEST(HelpFileNotOurs, IsNeverOpenedAndABoxSaysSo) {
  const std::wstring program = BesideAForeignHelpFile();
  ASSERT_FALSE(program.empty()) << "cannot plant the help file: error " << GetLastError();
  CloseViewers(kCloseTimeMs);
  zemko_test::ZemkoRun run(program);
  ASSERT_TRUE(run.Start());
  ClickHelpButton(run.MainWindow());

  DWORD processId = 0;
  GetWindowThreadProcessId(run.MainWindow(), &processId);
  BoxSearch search{processId, nullptr};
  WaitUntil(
      [&] {
        EnumWindows(&FindBoxOf, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      kMessageTimeMs);
  ASSERT_NE(nullptr, search.found) << "the program showed no box";
  std::vector<std::string> texts;
  for (HWND label : zemko_test::ChildrenOfClass(search.found, "STATIC"))
    texts.push_back(TextOf(label));
  EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), kNotOursMessage));
  Sleep(kSettleMs);
  EXPECT_TRUE(ViewerWindows().empty()) << "a viewer was started";

  PostMessageW(search.found, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(search.found); }, kMessageTimeMs));
  PostMessageW(run.MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(0u, run.WaitForExit());
  CloseViewers(kCloseTimeMs);
}

// ---------------------------------------------------------------- other systems

// Run only in a copy of the test prefix without the Windows folder's viewer,
// as a 64-bit system that cannot run 32-bit code has it.
class OtherSystemWithoutWindowsFolderViewer : public HelpViewer {};

TEST_F(OtherSystemWithoutWindowsFolderViewer, HelpButtonShowsTheFirstTopic) {
  ASSERT_EQ(INVALID_FILE_ATTRIBUTES,
            GetFileAttributesW((WindowsFolder() + L"\\" + kViewerFile).c_str()))
      << "this prefix has a viewer in the Windows folder";
  HWND viewer = OpenHelp();
  ASSERT_NE(nullptr, viewer) << "no help viewer with a topic appeared";
  EXPECT_TRUE(WaitForTopic(viewer, kFirstTopic, kTopicTimeMs)) << TextOf(TopicTextWindow(viewer));
}

// Run only in a copy of the test prefix whose viewer sleeps before it shows
// its window and then, handed the request, shows the folder it was started
// in as its caption.
class OtherSystemSlowViewer : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseViewers(kCloseTimeMs);
    ASSERT_TRUE(run_.Start());
  }

  void TearDown() override {
    EXPECT_TRUE(CloseViewers(kCloseTimeMs));
    if (!run_.MainWindow()) return;
    PostMessageW(run_.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, run_.WaitForExit());
  }

  zemko_test::ZemkoRun run_{ZEMKO_EXE};
};

TEST_F(OtherSystemSlowViewer, TheWindowPaintsWhileTheViewerStartsInTheWindowsFolder) {
  HWND window = run_.MainWindow();
  ClickHelpButton(window);
  Sleep(kSettleMs);
  ASSERT_TRUE(RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE));
  EXPECT_TRUE(WaitUntil([&] { return !GetUpdateRect(window, nullptr, FALSE); }, kRepaintTimeMs))
      << "the window did not paint";
  ASSERT_TRUE(ViewerWindows().empty()) << "the viewer came too soon to tell";

  // Once its window is up, the viewer gets the request.
  std::wstring folder;
  WaitUntil(
      [&] {
        for (HWND viewer : ViewerWindows()) folder = zemko_test::WideTextOf(viewer);
        return !folder.empty();
      },
      kViewerTimeMs);
  EXPECT_EQ(Lower(WindowsFolder()), Lower(folder));
}

// Run only in a copy of the test prefix with no viewer at all: a viewer
// planted beside the program (a download, say) never runs, whichever way the
// system would look for a program named bare.
TEST(OtherSystemWithoutViewer, APlantedViewerBesideTheProgramNeverRuns) {
  const std::wstring built = win::Widen(zemko_test::WindowsPath(ZEMKO_EXE));
  const std::wstring from = built.substr(0, built.rfind(L'\\') + 1);
  const std::wstring folder = win::Widen(zemko_test::WindowsPath(ZEMKO_COPIES_DIR)) +
                              L"\\planted-viewer\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  for (const wchar_t* name : {L"Zemko.exe", L"Zemko.hlp"})
    ASSERT_TRUE(CopyFileW((from + name).c_str(), (folder + name).c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(win::Widen(zemko_test::WindowsPath(ZEMKO_PLANTED_VIEWER)).c_str(),
                        (folder + kViewerFile).c_str(), FALSE));
  const std::wstring mark = folder + kViewerFile + L".loaded";
  DeleteFileW(mark.c_str());

  zemko_test::ZemkoRun run(folder + L"Zemko.exe");
  ASSERT_TRUE(run.Start());
  ClickHelpButton(run.MainWindow());
  Sleep(kSettleMs);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(mark.c_str())) << "the planted viewer ran";
  EXPECT_TRUE(ViewerWindows().empty());
  PostMessageW(run.MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(0u, run.WaitForExit());
}

}  // namespace
