#include "app/MonkeyEvents.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "support/ClipboardFill.h"
#include "support/Input.h"

namespace zemko_monkey {

namespace {

using zemko_test::KeyInput;

// Lets the program take an event before the next one comes.
constexpr DWORD kSettleMs = 15;
constexpr DWORD kRestoreWaitMs = 3000;
constexpr int kNudge = 7;
constexpr std::size_t kMaxRandomBytes = 3 * 1024 * 1024;
constexpr std::size_t kMaxLongLine = 1024 * 1024;
constexpr int kMaxCells = 40;

// Where things are on the main window (client coordinates).
constexpr POINT kAboutButton{200, 10};
constexpr POINT kMinimiseButton{222, 10};
constexpr POINT kDragStart{60, 10};
constexpr int kBottomButtonCentreAboveFloor = 23;  // buttons at height − 36, 26 high
constexpr int kPasteCentreX = 155, kClearCentreX = 191, kCalculateCentreX = 227;
constexpr POINT kAboutClose{140, 10};
constexpr int kFixedBoxes = 4;

constexpr char kFormClass[] = "Form";
constexpr char kAboutCaption[] = "О программе";

void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::size_t LogUniform(std::mt19937& random, std::size_t most) {
  const double exponent = std::uniform_real_distribution<double>(0, std::log(double(most)))(random);
  return std::max<std::size_t>(1, static_cast<std::size_t>(std::exp(exponent)));
}

template <typename T>
T Pick(std::mt19937& random, std::initializer_list<T> values) {
  const auto index = std::uniform_int_distribution<std::size_t>(0, values.size() - 1)(random);
  return values.begin()[index];
}

int Between(std::mt19937& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

Event KeyEvent(std::mt19937& random) {
  Event event;
  const int choice = Between(random, 0, 99);
  if (choice < 35) {
    event.key = static_cast<WORD>('0' + Between(random, 0, 9));
  } else if (choice < 42) {
    event.key = Pick<WORD>(random, {VK_OEM_COMMA, VK_OEM_PERIOD});
  } else if (choice < 48) {
    event.key = static_cast<WORD>('A' + Between(random, 0, 25));
  } else if (choice < 56) {
    event.key = Pick<WORD>(random, {VK_BACK, VK_DELETE});
  } else if (choice < 64) {
    event.key = VK_TAB;
    event.shift = Between(random, 0, 1) == 1;
  } else if (choice < 86) {
    event.key = VK_RETURN;
    const int modifiers = Between(random, 0, 7);
    event.shift = modifiers & 1;
    event.ctrl = modifiers & 2;
    event.alt = modifiers & 4;
  } else {
    event.key = Pick<WORD>(random, {VK_ADD, VK_SUBTRACT});
  }
  return event;
}

const char* ButtonName(Button button) {
  switch (button) {
    case Button::About: return "About";
    case Button::Minimise: return "minimise";
    case Button::ClearAll: return "clear-all";
    case Button::Calculate: return "calculate";
    case Button::Paste: return "paste";
  }
  return "?";
}

const char* ClipboardName(ClipboardKind kind) {
  switch (kind) {
    case ClipboardKind::Empty: return "empty";
    case ClipboardKind::ImageOnly: return "image only";
    case ClipboardKind::RandomBytes: return "random bytes";
    case ClipboardKind::LongLine: return "long line";
    case ClipboardKind::Cells: return "cells";
  }
  return "?";
}

std::string KeyName(const Event& event) {
  std::string name;
  if (event.ctrl) name += "Ctrl+";
  if (event.alt) name += "Alt+";
  if (event.shift) name += "Shift+";
  switch (event.key) {
    case VK_OEM_COMMA: return name + "Comma";
    case VK_OEM_PERIOD: return name + "Point";
    case VK_BACK: return name + "Backspace";
    case VK_DELETE: return name + "Delete";
    case VK_TAB: return name + "Tab";
    case VK_RETURN: return name + "Enter";
    case VK_ADD: return name + "NumPlus";
    case VK_SUBTRACT: return name + "NumMinus";
  }
  return name + static_cast<char>(event.key);
}

// A spreadsheet's cells: odds, garbage, blanks and long values, separated
// by tabs, CR LF, lone CR or LF and runs of them.
std::string Cells(std::mt19937& random) {
  static const char* const kValues[] = {"1,5", "2.25", "3",     "1",    "abc", "",     "  ",
                                        "1,",  ",5",   "1.2.3", "Коэф", "007", "9,99", "-1"};
  static const char* const kSeparators[] = {"\t", "\r\n", "\r", "\n", "\t\t", "\r\n\r\n"};
  std::string text;
  const int cells = Between(random, 0, kMaxCells);
  for (int i = 0; i < cells; ++i) {
    if (Between(random, 0, 19) == 0) {
      text += std::string(static_cast<std::size_t>(Between(random, 1000, 1100)), '1');
    } else {
      text += kValues[Between(random, 0, std::size(kValues) - 1)];
    }
    text += kSeparators[Between(random, 0, std::size(kSeparators) - 1)];
  }
  return text;
}

void InputKeyOf(const Event& event) {
  std::vector<INPUT> inputs;
  if (event.ctrl) inputs.push_back(KeyInput(VK_CONTROL, false));
  if (event.alt) inputs.push_back(KeyInput(VK_MENU, false));
  if (event.shift) inputs.push_back(KeyInput(VK_SHIFT, false));
  inputs.push_back(KeyInput(event.key, false));
  inputs.push_back(KeyInput(event.key, true));
  if (event.shift) inputs.push_back(KeyInput(VK_SHIFT, true));
  if (event.alt) inputs.push_back(KeyInput(VK_MENU, true));
  if (event.ctrl) inputs.push_back(KeyInput(VK_CONTROL, true));
  Send(inputs);
}

void TypeCharacter(WORD letter) {
  std::vector<INPUT> inputs(2);
  for (int i = 0; i < 2; ++i) {
    inputs[i].type = INPUT_KEYBOARD;
    inputs[i].ki.wScan = letter;
    inputs[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
  }
  Send(inputs);
}

void LeftButton(bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  Send({input});
}

int ClientHeight(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return client.bottom;
}

// The centre of entry box `box`: the stake, N, K, then the odds rows.
POINT BoxCentre(int box) {
  switch (box) {
    case 0: return {40, 79};
    case 1: return {135, 79};
    case 2: return {215, 79};
  }
  const int row = box - 3;  // 0-based
  return {10 + 60 * (row / 5) + 25, 70 + 28 * (row % 5 + 1) + 9};
}

bool PutClipboard(const Event& event) {
  switch (event.clipboard) {
    case ClipboardKind::Empty: return zemko_test::EmptyTheClipboard();
    case ClipboardKind::ImageOnly: return zemko_test::PutClipboardBitmapOnly();
    default: return zemko_test::PutClipboardText(ClipboardText(event));
  }
}

// The system's move loop runs until it sees the button go up. Now and then
// under Wine the loop outlives the release, and the window then follows the
// pointer wherever the next events take it. The monkey nudges the pointer;
// a window that follows is let go with one more click, and counted.
int gMovesOutlivingTheirButton = 0;

void EndAnOutlivingMove(HWND window) {
  RECT before{}, after{};
  GetWindowRect(window, &before);
  POINT pointer{};
  GetCursorPos(&pointer);
  zemko_test::MovePointer({pointer.x + kNudge, pointer.y + kNudge});
  Sleep(kSettleMs * 4);
  GetWindowRect(window, &after);
  zemko_test::MovePointer(pointer);
  if (after.left == before.left && after.top == before.top) return;
  ++gMovesOutlivingTheirButton;
  Sleep(kSettleMs * 4);
  zemko_test::ClickButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  Sleep(kSettleMs * 4);
}

bool WaitUntilRestored(HWND window) {
  const DWORD start = GetTickCount();
  while (IsIconic(window) || !IsWindowVisible(window)) {
    if (GetTickCount() - start > kRestoreWaitMs) return false;
    Sleep(kSettleMs);
  }
  return true;
}

BOOL CALLBACK CollectAbout(HWND window, LPARAM context) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char name[16] = {}, caption[32] = {};
  GetClassNameA(window, name, sizeof name);
  GetWindowTextA(window, caption, sizeof caption);
  if (process == GetCurrentProcessId() && lstrcmpA(name, kFormClass) == 0 &&
      lstrcmpA(caption, kAboutCaption) == 0 && IsWindowVisible(window)) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
  }
  return TRUE;
}

}  // namespace

std::string Event::Describe() const {
  switch (kind) {
    case EventKind::Key: return "key " + KeyName(*this);
    case EventKind::Character: return "letter U+" + std::to_string(key);
    case EventKind::Click: return std::string("click ") + ButtonName(button);
    case EventKind::ClickBox: return "click box " + std::to_string(box);
    case EventKind::Paste:
      return std::string("paste ") + ClipboardName(clipboard) + " (" +
             std::to_string(clipboardSize) + " bytes, seed " + std::to_string(clipboardSeed) + ")";
    case EventKind::Drag: return "drag by " + std::to_string(dx) + "," + std::to_string(dy);
    case EventKind::CloseAbout: return "close About";
  }
  return "?";
}

Event NextEvent(std::mt19937& random) {
  const int choice = Between(random, 0, 99);
  if (choice < 55) return KeyEvent(random);
  Event event;
  if (choice < 62) {
    event.kind = EventKind::Character;
    const WORD letter = static_cast<WORD>(0x0410 + Between(random, 0, 63));    // А..я
    event.key = Pick<WORD>(random, {letter, letter, letter, 0x0401, 0x0451});  // and Ё, ё
  } else if (choice < 76) {
    event.kind = EventKind::Click;
    event.button = Pick(random, {Button::About, Button::Minimise, Button::ClearAll,
                                 Button::Calculate, Button::Calculate, Button::Paste});
  } else if (choice < 83) {
    event.kind = EventKind::ClickBox;
    event.box = Between(random, 0, 22);
  } else if (choice < 91) {
    event.kind = EventKind::Paste;
    event.clipboard = Pick(
        random, {ClipboardKind::Empty, ClipboardKind::ImageOnly, ClipboardKind::RandomBytes,
                 ClipboardKind::LongLine, ClipboardKind::Cells, ClipboardKind::Cells});
    event.clipboardSeed = static_cast<std::uint32_t>(random());
    if (event.clipboard == ClipboardKind::RandomBytes) {
      event.clipboardSize = LogUniform(random, kMaxRandomBytes);
    } else if (event.clipboard == ClipboardKind::LongLine) {
      event.clipboardSize = LogUniform(random, kMaxLongLine);
    }
  } else if (choice < 96) {
    event.kind = EventKind::Drag;
    event.dx = Between(random, -80, 80);
    event.dy = Between(random, -80, 80);
  } else {
    event.kind = EventKind::CloseAbout;
  }
  return event;
}

std::string ClipboardText(const Event& event) {
  std::mt19937 random(event.clipboardSeed);
  std::string text;
  switch (event.clipboard) {
    case ClipboardKind::RandomBytes:
      // No zero: the plain-text format ends at the first one.
      text.resize(event.clipboardSize);
      for (char& c : text) c = static_cast<char>(Between(random, 1, 255));
      break;
    case ClipboardKind::LongLine:
      text.resize(event.clipboardSize);
      for (char& c : text) c = Pick(random, {'1', '2', ',', '0', '5'});
      break;
    case ClipboardKind::Cells: text = Cells(random); break;
    default: break;
  }
  return text;
}

void ClickAt(HWND window, int x, int y) {
  zemko_test::MovePointer(zemko_test::OnScreen(window, x, y));
  zemko_test::ClickButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

void CloseAbout(HWND about) {
  // The main window may lie over it (it is moved and clicked): the user
  // brings the About window up first.
  SetForegroundWindow(about);
  Sleep(kSettleMs);
  ClickAt(about, kAboutClose.x, kAboutClose.y);
}

int EditBoxCount(HWND window) {
  int count = 0;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[16] = {};
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Edit") == 0) ++count;
  }
  return count;
}

int MovesOutlivingTheirButton() { return gMovesOutlivingTheirButton; }

std::vector<HWND> AboutWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectAbout, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool Perform(const Event& event, const Target& target) {
  const HWND window = target.mainWindow;
  const int floor = ClientHeight(window) - kBottomButtonCentreAboveFloor;
  bool done = true;
  switch (event.kind) {
    case EventKind::Key: InputKeyOf(event); break;
    case EventKind::Character: TypeCharacter(event.key); break;
    case EventKind::Click:
      switch (event.button) {
        case Button::About: ClickAt(window, kAboutButton.x, kAboutButton.y); break;
        case Button::ClearAll: ClickAt(window, kClearCentreX, floor); break;
        case Button::Calculate: ClickAt(window, kCalculateCentreX, floor); break;
        case Button::Paste: ClickAt(window, kPasteCentreX, floor); break;
        case Button::Minimise:
          ClickAt(window, kMinimiseButton.x, kMinimiseButton.y);
          Sleep(kSettleMs * 4);
          // The user restores the program from its taskbar entry.
          PostMessageA(target.application, WM_SYSCOMMAND, SC_RESTORE, 0);
          done = WaitUntilRestored(window);
          SetForegroundWindow(window);
          break;
      }
      break;
    case EventKind::ClickBox: {
      const int rows = EditBoxCount(window) - kFixedBoxes;
      const int box = event.box < 3 + rows ? event.box : 0;
      const POINT centre = BoxCentre(box);
      ClickAt(window, centre.x, centre.y);
      break;
    }
    case EventKind::Paste:
      done = PutClipboard(event);
      ClickAt(window, kPasteCentreX, floor);
      break;
    case EventKind::Drag: {
      // Kept on the screen, so the window stays within reach.
      RECT outer{};
      GetWindowRect(window, &outer);
      const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
      const int dx = std::clamp<int>(event.dx, -outer.left, width - outer.right);
      const int dy = std::clamp<int>(event.dy, -outer.top, height - outer.bottom);
      const POINT start = zemko_test::OnScreen(window, kDragStart.x, kDragStart.y);
      zemko_test::MovePointer(start);
      LeftButton(true);
      Sleep(kSettleMs);
      for (int step = 1; step <= 4; ++step) {
        zemko_test::MovePointer({start.x + dx * step / 4, start.y + dy * step / 4});
        Sleep(kSettleMs);
      }
      LeftButton(false);
      Sleep(kSettleMs);
      EndAnOutlivingMove(window);
      break;
    }
    case EventKind::CloseAbout: {
      const std::vector<HWND> abouts = AboutWindows();
      if (!abouts.empty()) CloseAbout(abouts.front());
      break;
    }
  }
  Sleep(kSettleMs);
  return done;
}

}  // namespace zemko_monkey
