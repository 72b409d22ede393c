#include "support/ZemkoDriving.h"
#include "support/Input.h"
#include "support/ZemkoRun.h"
#include "widgets/WideText.h"

namespace zemko_drive {

namespace {

constexpr char kFormClass[] = "Form";
constexpr int kResultStripLeft = 10;
constexpr DWORD kPoll = 50;
constexpr UINT kReadTimeout = 2000;

using zemko_test::KeyInput;

void Send(const std::vector<INPUT>& inputs) {
  SendInput(static_cast<UINT>(inputs.size()), const_cast<INPUT*>(inputs.data()), sizeof(INPUT));
}

// Lets the program take each key before the next one comes.
void Settle() { Sleep(kPoll); }

}  // namespace

HWND FindMainWindow(DWORD processId, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND found = zemko_test::FindProgramWindow(processId, kFormClass,
                                                   zemko_test::Shown::VisibleOnly))
      return found;
    if (GetTickCount() - start > milliseconds) return nullptr;
    Sleep(kPoll);
  }
}

std::vector<Key> Keys(std::string_view digits) {
  std::vector<Key> keys;
  for (char c : digits) keys.push_back({static_cast<WORD>(c)});
  return keys;
}

std::vector<Key> ExampleBet() {
  std::vector<Key> keys;
  auto add = [&keys](std::vector<Key> more) { keys.insert(keys.end(), more.begin(), more.end()); };
  const Key enter{VK_RETURN};
  add(Keys("300"));                // the stake box has the focus at start
  keys.push_back(enter);           // to row 1
  add(Keys("2"));
  keys.push_back(enter);           // row 2 is added
  add(Keys("3"));
  keys.push_back(enter);           // row 3 is added
  add(Keys("4"));
  keys.push_back({VK_RETURN, true});  // Ctrl+Enter: the system size, selected
  add(Keys("3"));
  keys.push_back(enter);           // the "по" box, selected
  add(Keys("2"));
  keys.push_back(enter);           // calculates
  return keys;
}

bool TypeKeys(HWND mainWindow, const std::vector<Key>& keys) {
  const DWORD target = GetWindowThreadProcessId(mainWindow, nullptr);
  const DWORD self = GetCurrentThreadId();
  const bool attached = AttachThreadInput(self, target, TRUE) != FALSE;
  SetForegroundWindow(mainWindow);
  Settle();
  for (const Key& key : keys) {
    std::vector<INPUT> inputs;
    if (key.ctrl) inputs.push_back(KeyInput(VK_CONTROL, false));
    inputs.push_back(KeyInput(key.key, false));
    inputs.push_back(KeyInput(key.key, true));
    if (key.ctrl) inputs.push_back(KeyInput(VK_CONTROL, true));
    Send(inputs);
    Settle();
  }
  if (attached) AttachThreadInput(self, target, FALSE);
  return attached;
}

std::string TextOf(HWND window) {
  wchar_t text[256] = {};
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, sizeof text / sizeof *text,
                           reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, kReadTimeout,
                           &length)) {
    return "(no answer)";
  }
  return widgets::Narrow(std::wstring_view(text, length));
}

std::vector<HWND> ChildrenOfClass(HWND parent, const char* className) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[32] = {};
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, className) == 0) children.push_back(child);
  }
  return children;
}

HWND ResultStrip(HWND mainWindow) {
  for (HWND label : ChildrenOfClass(mainWindow, "Static")) {
    RECT rect;
    GetWindowRect(label, &rect);
    MapWindowPoints(HWND_DESKTOP, mainWindow, reinterpret_cast<POINT*>(&rect), 2);
    if (rect.left == kResultStripLeft) return label;
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

}  // namespace zemko_drive
