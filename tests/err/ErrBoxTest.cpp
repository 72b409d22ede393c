// An exception that nobody catches shows exactly one error box with the
// module, the address and the message, and the program ends with code 1.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr DWORD kBoxWaitMs = 20000;
constexpr int kMessageTextId = 0xFFFF;  // the message box's static text
constexpr char kDialogClass[] = "#32770";
constexpr char kFormClass[] = "Form";

std::string Directory() {
  char path[MAX_PATH + 1];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string full(path, length);
  return full.substr(0, full.find_last_of('\\') + 1);
}

struct Search {
  DWORD process;
  std::string className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectVisible(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (process == search->process && name == search->className && IsWindowVisible(window))
    search->found.push_back(window);
  return TRUE;
}

// The process's visible top-level windows of a class.
std::vector<HWND> VisibleWindowsOf(DWORD process, const char* className) {
  Search search{process, className, {}};
  EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> ErrorBoxesOf(DWORD process) { return VisibleWindowsOf(process, kDialogClass); }

std::string TextOf(HWND window, int id) {
  char text[2048] = {};
  GetDlgItemTextA(window, id, text, sizeof text);
  return text;
}

// Runs the program in a mode, waits for its error box, reads and dismisses
// it, and returns the box text; the exit code goes to `exitCode`, and whether
// the program's window was still on screen behind the box to `formShown`.
std::string RunAndReadBox(const char* mode, DWORD& exitCode, int& boxCount,
                          bool* formShown = nullptr) {
  const std::string program = Directory() + "ErrBoxProgram.exe";
  std::string commandLine = "\"" + program + "\" " + mode;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info)) {
    ADD_FAILURE() << "cannot start " << program;
    return {};
  }
  std::string text;
  const DWORD start = GetTickCount();
  std::vector<HWND> boxes;
  while (GetTickCount() - start < kBoxWaitMs) {
    boxes = ErrorBoxesOf(info.dwProcessId);
    if (!boxes.empty()) break;
    Sleep(50);
  }
  boxCount = static_cast<int>(boxes.size());
  if (!boxes.empty()) {
    Sleep(200);  // a second box would have shown by now
    boxCount = static_cast<int>(ErrorBoxesOf(info.dwProcessId).size());
    text = TextOf(boxes[0], kMessageTextId);
    if (formShown) *formShown = !VisibleWindowsOf(info.dwProcessId, kFormClass).empty();
    char caption[256] = {};
    GetWindowTextA(boxes[0], caption, sizeof caption);
    EXPECT_STRNE(caption, "");
    PostMessageA(boxes[0], WM_COMMAND, IDOK, 0);
  }
  if (WaitForSingleObject(info.hProcess, kBoxWaitMs) != WAIT_OBJECT_0) {
    ADD_FAILURE() << "program did not end";
    TerminateProcess(info.hProcess, 99);
  }
  GetExitCodeProcess(info.hProcess, &exitCode);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return text;
}

std::string ExpectedPrefix() {
  return "Exception Exception in module " + Directory() + "ErrBoxProgram.exe at ";
}

TEST(ErrorBox, ExceptionEscapingAHandlerShowsOneBoxAndEndsWithCode1) {
  DWORD exitCode = 0;
  int boxes = 0;
  bool formShown = false;
  const std::string text = RunAndReadBox("exception", exitCode, boxes, &formShown);
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(exitCode, 1u);
  EXPECT_TRUE(formShown) << "the window was gone before the box showed";
  ASSERT_EQ(text.rfind(ExpectedPrefix(), 0), 0u) << text;
  const std::string rest = text.substr(ExpectedPrefix().size());
  // Eight hexadecimal digits, a point, a line break, the message.
  ASSERT_EQ(rest.size(), 8u + 2u + std::string("Convert string to double error").size()) << rest;
  EXPECT_EQ(rest.find_first_not_of("0123456789ABCDEF"), 8u) << rest;
  EXPECT_EQ(rest.substr(8), ".\nConvert string to double error");
}

TEST(ErrorBox, AccessViolationInAHandlerIsReportedWithItsAddress) {
  DWORD exitCode = 0;
  int boxes = 0;
  bool formShown = false;
  const std::string text = RunAndReadBox("fault", exitCode, boxes, &formShown);
  EXPECT_TRUE(formShown);
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(exitCode, 1u);
  EXPECT_EQ(text.rfind(ExpectedPrefix(), 0), 0u) << text;
  EXPECT_NE(text.find(".\nAccess violation at address "), std::string::npos) << text;
  EXPECT_NE(text.find("in module 'ErrBoxProgram.exe'. Write of address 00000000"),
            std::string::npos)
      << text;
}

TEST(ErrorBox, StackOverflowInAHandlerIsReported) {
  DWORD exitCode = 0;
  int boxes = 0;
  const std::string text = RunAndReadBox("stack", exitCode, boxes);
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(exitCode, 1u);
  EXPECT_EQ(text.rfind(ExpectedPrefix(), 0), 0u) << text;
  EXPECT_NE(text.find(".\nStack overflow"), std::string::npos) << text;
}

// A failed assertion of the widget layer names its source file and line.
TEST(ErrorBox, AFailedAssertionNamesItsFileAndLine) {
  DWORD exitCode = 0;
  int boxes = 0;
  const std::string text = RunAndReadBox("assert", exitCode, boxes);
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(exitCode, 1u);
  EXPECT_EQ(text.rfind(ExpectedPrefix(), 0), 0u) << text;
  const std::size_t message = text.find(".\nError parameter (Files.cpp, line ");
  ASSERT_NE(message, std::string::npos) << text;
  EXPECT_EQ(text.back(), ')') << text;
}

// An error of another type (out of memory here) has no known address: the
// box says 00000000, never a number made up from the program's base.
TEST(ErrorBox, OutOfMemoryIsReportedWithoutAMadeUpAddress) {
  DWORD exitCode = 0;
  int boxes = 0;
  bool formShown = false;
  const std::string text = RunAndReadBox("memory", exitCode, boxes, &formShown);
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(exitCode, 1u);
  EXPECT_TRUE(formShown);
  EXPECT_EQ(text, ExpectedPrefix() + "00000000.\nOut of memory");
}

}  // namespace
