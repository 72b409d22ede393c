// The help button of the running program, pressed with the mouse: WinHelp
// starts the viewer that Wine ships, which opens Zemko.hlp from the
// program's folder at its first topic, captioned with the help file's title,
// without any error box; a jump in the text opens another topic. A help
// file that is not the shipped one is never opened, and a box says so, as
// one does for a missing help file. On other systems (copies of the test
// prefix): a viewer in the system folder only still opens the help, while a
// slow viewer starts the window paints, and on Windows 10 the page goes to
// the shell's program for web pages. The test ends the viewer it caused and
// closes the program.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <initializer_list>
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
constexpr char kHelpFileMissingMessage[] = "Не найден файл справки Zemko.hlp в папке программы.";
constexpr char kPageMissingMessage[] = "Не найден файл справки Zemko.html в папке программы.";

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

// ---------------------------------------------------------------- copies and boxes

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\') + 1); }

// The program copied into a folder of the test's with the named files of
// the built program's folder (one set of files per folder name); the copied
// program's path, empty where a copy failed.
std::wstring CopyProgram(const std::wstring& folderName,
                         std::initializer_list<const wchar_t*> files) {
  const std::wstring from = FolderOf(win::Widen(zemko_test::WindowsPath(ZEMKO_EXE)));
  const std::wstring folder = win::Widen(zemko_test::WindowsPath(ZEMKO_COPIES_DIR)) + L"\\" +
                              folderName + L"\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  for (const wchar_t* name : files) {
    if (!CopyFileW((from + name).c_str(), (folder + name).c_str(), FALSE)) return {};
  }
  return folder + L"Zemko.exe";
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

// The texts of the message box the program shows, closed with its OK
// button; nothing where no box came.
std::vector<std::string> TextsOfTheProgramsBox(HWND mainWindow) {
  DWORD processId = 0;
  GetWindowThreadProcessId(mainWindow, &processId);
  BoxSearch search{processId, nullptr};
  WaitUntil(
      [&] {
        EnumWindows(&FindBoxOf, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      kMessageTimeMs);
  std::vector<std::string> texts;
  if (!search.found) return texts;
  for (HWND label : zemko_test::ChildrenOfClass(search.found, "STATIC"))
    texts.push_back(TextOf(label));
  PostMessageW(search.found, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(search.found); }, kMessageTimeMs));
  return texts;
}

bool Holds(const std::vector<std::string>& texts, const char* text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// Presses the help button of the program and returns the texts of the box
// that comes; then closes the program.
std::vector<std::string> HelpBoxOf(const std::wstring& program) {
  zemko_test::ZemkoRun run(program);
  if (!run.Start()) return {};
  ClickHelpButton(run.MainWindow());
  const std::vector<std::string> texts = TextsOfTheProgramsBox(run.MainWindow());
  Sleep(kSettleMs);
  EXPECT_TRUE(ViewerWindows().empty()) << "a viewer was started";
  PostMessageW(run.MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(0u, run.WaitForExit());
  return texts;
}

// ---------------------------------------------------------------- a file not ours, none

// The program copied beside a Zemko.hlp that differs from the shipped one in
// one byte of its middle, so that only its digest tells.
std::wstring BesideAForeignHelpFile() {
  const std::wstring program = CopyProgram(L"foreign-help", {L"Zemko.exe", L"Zemko.hlp"});
  if (program.empty()) return {};
  HANDLE file = CreateFileW((FolderOf(program) + L"Zemko.hlp").c_str(),
                            GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
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
  return changed ? program : std::wstring();
}

TEST(HelpFileNotOurs, IsNeverOpenedAndABoxSaysSo) {
  const std::wstring program = BesideAForeignHelpFile();
  ASSERT_FALSE(program.empty()) << "cannot plant the help file: error " << GetLastError();
  CloseViewers(kCloseTimeMs);
  EXPECT_TRUE(Holds(HelpBoxOf(program), kNotOursMessage));
  CloseViewers(kCloseTimeMs);
}

// Where the viewer is real, the missing help file is the one named.
TEST(HelpFileMissing, ABoxNamesIt) {
  const std::wstring program = CopyProgram(L"no-help", {L"Zemko.exe"});
  ASSERT_FALSE(program.empty()) << "cannot copy the program: error " << GetLastError();
  CloseViewers(kCloseTimeMs);
  EXPECT_TRUE(Holds(HelpBoxOf(program), kHelpFileMissingMessage));
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

// Run only in a copy of the test prefix with no viewer at all, as Vista to
// 8.1 without the viewer: a viewer planted beside the program (a download,
// say) never runs, whichever way the system would look for a program named
// bare; the page is what would open, and without it a box names it.
TEST(OtherSystemWithoutViewer, APlantedViewerBesideTheProgramNeverRuns) {
  const std::wstring program = CopyProgram(L"planted-viewer", {L"Zemko.exe", L"Zemko.hlp"});
  ASSERT_FALSE(program.empty());
  const std::wstring viewer = FolderOf(program) + kViewerFile;
  ASSERT_TRUE(CopyFileW(win::Widen(zemko_test::WindowsPath(ZEMKO_PLANTED_VIEWER)).c_str(),
                        viewer.c_str(), FALSE));
  const std::wstring mark = viewer + L".loaded";
  DeleteFileW(mark.c_str());

  EXPECT_TRUE(Holds(HelpBoxOf(program), kPageMissingMessage));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(mark.c_str())) << "the planted viewer ran";
}

// Run only in a copy of the test prefix that tells programs it is Windows 10
// and whose shell opens web pages with the recorder (PageRecorder.cpp). The
// prefix is this suite's own: what is written into its registry stays.
class OtherSystemWindows10 : public ::testing::Test {
 protected:
  static bool SetText(HKEY root, const wchar_t* key, const wchar_t* name,
                      const std::wstring& value) {
    HKEY opened = nullptr;
    if (RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) !=
        ERROR_SUCCESS)
      return false;
    const LSTATUS status = RegSetValueExW(opened, name, 0, REG_SZ,
                                          reinterpret_cast<const BYTE*>(value.c_str()),
                                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(opened);
    return status == ERROR_SUCCESS;
  }

  void SetUp() override {
    CloseViewers(kCloseTimeMs);
    ASSERT_TRUE(SetText(HKEY_CURRENT_USER, L"Software\\Wine", L"Version", L"win10"));
    ASSERT_TRUE(SetText(HKEY_CLASSES_ROOT, L".html", nullptr, L"htmlfile"));
    ASSERT_TRUE(SetText(HKEY_CLASSES_ROOT, L"htmlfile\\shell\\open\\command", nullptr,
                        L"\"" + recorder_ + L"\" \"%1\""));
    DeleteFileW(record_.c_str());
  }

  void TearDown() override { EXPECT_TRUE(CloseViewers(kCloseTimeMs)); }

  // The recorder's command line, once it wrote one; empty after the time.
  std::wstring RecordedCommandLine() {
    std::wstring line;
    WaitUntil(
        [&] {
          HANDLE file = CreateFileW(record_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
          if (file == INVALID_HANDLE_VALUE) return false;
          wchar_t text[MAX_PATH * 2] = {};
          DWORD read = 0;
          ReadFile(file, text, sizeof text - sizeof(wchar_t), &read, nullptr);
          CloseHandle(file);
          line.assign(text, read / sizeof(wchar_t));
          return !line.empty();
        },
        kMessageTimeMs);
    return line;
  }

  const std::wstring recorder_ = win::Widen(zemko_test::WindowsPath(ZEMKO_PAGE_RECORDER));
  const std::wstring record_ = recorder_ + L".commandline";
};

// Also from a folder named in three scripts, beside the help file that a
// real viewer would show: the stub is never started.
TEST_F(OtherSystemWindows10, HelpButtonHandsThePageToTheShellByItsFullPath) {
  const std::wstring built = win::Widen(zemko_test::WindowsPath(ZEMKO_EXE));
  const std::wstring foreign = CopyProgram(L"\x03A3 Дмитрий 日本",  // Σ Дмитрий 日本
                                           {L"Zemko.exe", L"Zemko.hlp", L"Zemko.html"});
  ASSERT_FALSE(foreign.empty()) << "cannot copy the program: error " << GetLastError();
  for (const std::wstring& program : {built, foreign}) {
    SCOPED_TRACE(win::Narrow(program));
    DeleteFileW(record_.c_str());
    zemko_test::ZemkoRun run(program);
    ASSERT_TRUE(run.Start());
    ClickHelpButton(run.MainWindow());
    const std::wstring line = RecordedCommandLine();
    const std::wstring page = L" \"" + FolderOf(program) + L"Zemko.html\"";
    ASSERT_GE(line.size(), page.size()) << "the shell started no program for the page";
    EXPECT_EQ(Lower(page), Lower(line.substr(line.size() - page.size())));
    Sleep(kSettleMs);
    EXPECT_TRUE(ViewerWindows().empty()) << "a viewer was started";
    PostMessageW(run.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, run.WaitForExit());
  }
}

TEST_F(OtherSystemWindows10, WithoutThePageABoxNamesIt) {
  const std::wstring program = CopyProgram(L"windows10-no-page", {L"Zemko.exe", L"Zemko.hlp"});
  ASSERT_FALSE(program.empty());
  EXPECT_TRUE(Holds(HelpBoxOf(program), kPageMissingMessage));
  Sleep(kSettleMs);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(record_.c_str())) << "a browser ran";
}

}  // namespace
