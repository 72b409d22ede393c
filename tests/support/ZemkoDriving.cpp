#include "support/ZemkoDriving.h"

#include "support/WindowTestSupport.h"
#include "support/ZemkoRun.h"

namespace zemko_test {

namespace {

constexpr char kFormClass[] = "Form";
constexpr int kResultStripLeft = 10;
constexpr DWORD kPoll = 50;

}  // namespace

HWND FindMainWindow(DWORD processId, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND found = FindProgramWindow(processId, kFormClass, Shown::VisibleOnly)) return found;
    if (GetTickCount() - start > milliseconds) return nullptr;
    Sleep(kPoll);
  }
}

std::vector<Key> ExampleBet() {
  std::vector<Key> keys;
  auto add = [&keys](std::vector<Key> more) { keys.insert(keys.end(), more.begin(), more.end()); };
  const Key enter{VK_RETURN};
  add(Keys("300"));       // the stake box has the focus at start
  keys.push_back(enter);  // to row 1
  add(Keys("2"));
  keys.push_back(enter);  // row 2 is added
  add(Keys("3"));
  keys.push_back(enter);  // row 3 is added
  add(Keys("4"));
  keys.push_back({VK_RETURN, true});  // Ctrl+Enter: the system size, selected
  add(Keys("3"));
  keys.push_back(enter);  // the "по" box, selected
  add(Keys("2"));
  keys.push_back(enter);  // calculates
  return keys;
}

HWND ResultStrip(HWND mainWindow) {
  for (HWND label : ChildrenOfClass(mainWindow, "Static")) {
    if (RectInParent(label).left == kResultStripLeft) return label;
  }
  return nullptr;
}

HWND FocusOf(HWND mainWindow) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(mainWindow, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

bool WaitForResult(HWND mainWindow, std::string_view text, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    HWND strip = ResultStrip(mainWindow);
    if (strip && TextOf(strip) == text) return true;
    if (GetTickCount() - start > milliseconds) return false;
    Sleep(kPoll);
  }
}

}  // namespace zemko_test
