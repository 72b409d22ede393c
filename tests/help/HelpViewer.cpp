#include "help/HelpViewer.h"

#include <cstring>

#include "support/Input.h"
#include "support/WindowTestSupport.h"

namespace zemko_help_test {

namespace {

constexpr char kViewerClass[] = "MS_WINHELP";
constexpr char kDialogClass[] = "#32770";
constexpr char kRichEditPrefix[] = "RichEdit";
constexpr UINT kReadTimeoutMs = 2000;
constexpr int kHelpButtonSize = 26;
constexpr int kHelpButtonMargin = 10;
// Far enough into a character that the click lands on it, not before it.
constexpr POINT kIntoCharacter{3, 5};

struct ClassSearch {
  const char* className;
  bool visibleOnly;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectOfClass(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<ClassSearch*>(context);
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, search->className) == 0 &&
      (!search->visibleOnly || IsWindowVisible(window)))
    search->found.push_back(window);
  return TRUE;
}

std::vector<HWND> TopLevelOfClass(const char* className, bool visibleOnly) {
  ClassSearch search{className, visibleOnly, {}};
  EnumWindows(&CollectOfClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK FindRichEdit(HWND window, LPARAM context) {
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::strncmp(name, kRichEditPrefix, std::strlen(kRichEditPrefix)) == 0) {
    *reinterpret_cast<HWND*>(context) = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::vector<HWND> ViewerWindows() { return TopLevelOfClass(kViewerClass, false); }

HWND WaitForViewer(DWORD milliseconds) {
  HWND viewer = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelOfClass(kViewerClass, true)) {
          if (TopicTextWindow(window)) viewer = window;
        }
        return viewer != nullptr;
      },
      milliseconds);
  return viewer;
}

HWND TopicTextWindow(HWND viewer) {
  HWND found = nullptr;
  EnumChildWindows(viewer, &FindRichEdit, reinterpret_cast<LPARAM>(&found));
  return found;
}

bool WaitForTopic(HWND viewer, std::string_view start, DWORD milliseconds) {
  return WaitUntil(
      [&] {
        HWND text = TopicTextWindow(viewer);
        return text && zemko_test::TextOf(text).starts_with(start);
      },
      milliseconds);
}

std::string ProcessImageName(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process) return {};
  char path[MAX_PATH] = {};
  DWORD size = sizeof path;
  const bool named = QueryFullProcessImageNameA(process, 0, path, &size) != FALSE;
  CloseHandle(process);
  if (!named) return {};
  const char* name = std::strrchr(path, '\\');
  return name ? name + 1 : path;
}

void ClickHelpButton(HWND mainWindow) {
  RECT client{};
  GetClientRect(mainWindow, &client);
  const int centre = kHelpButtonSize / 2;
  zemko_test::MovePointer(
      zemko_test::OnScreen(mainWindow, kHelpButtonMargin + centre,
                           client.bottom - kHelpButtonMargin - kHelpButtonSize + centre));
  zemko_test::ClickButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

bool ClickTextIn(HWND richEdit, std::string_view text) {
  const std::string all = zemko_test::TextOf(richEdit);
  const std::size_t at = all.find(text);
  if (at == std::string::npos) return false;
  // WM_GETTEXT ends each paragraph with CR LF, the control counts one
  // character for it.
  std::size_t index = at;
  for (std::size_t i = all.find("\r\n"); i < at; i = all.find("\r\n", i + 2)) --index;
  // The rich edit answers with the position packed into the result when the
  // index comes in wParam, so no pointer has to cross the process boundary.
  DWORD_PTR packed = 0;
  if (!SendMessageTimeoutA(richEdit, EM_POSFROMCHAR, index, 0, SMTO_ABORTIFHUNG, kReadTimeoutMs,
                           &packed))
    return false;
  const POINT point{static_cast<short>(LOWORD(packed)) + kIntoCharacter.x,
                    static_cast<short>(HIWORD(packed)) + kIntoCharacter.y};
  zemko_test::MovePointer(zemko_test::OnScreen(richEdit, point.x, point.y));
  zemko_test::ClickButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  return true;
}

bool WarmUpViewer(DWORD milliseconds) {
  // The first viewer of a fresh Wine prefix can start slower than the help
  // call waits for it, and then shows no file: start one by itself first.
  char commandLine[] = "winhlp32.exe";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info))
    return false;
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  const bool shown = WaitUntil([] { return !ViewerWindows().empty(); }, milliseconds);
  return CloseViewers(milliseconds) && shown;
}

bool CloseViewers(DWORD milliseconds) {
  bool closedByThemselves = true;
  for (HWND window : ViewerWindows()) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
    if (!process) continue;  // gone meanwhile
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process, milliseconds) != WAIT_OBJECT_0) {
      TerminateProcess(process, 1);
      WaitForSingleObject(process, milliseconds);
      closedByThemselves = false;
    }
    CloseHandle(process);
  }
  return closedByThemselves;
}

std::vector<HWND> DialogWindows() { return TopLevelOfClass(kDialogClass, true); }

}  // namespace zemko_help_test
