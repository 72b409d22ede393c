#include "support/Input.h"

#include <gtest/gtest.h>

#include "support/WindowTestSupport.h"
#include "win/WideText.h"

namespace zemko_test {

namespace {

constexpr DWORD kPointerSettleMs = 50;  // the move reaches the cursor position meanwhile
constexpr DWORD kKeySettleMs = 50;      // another process takes a key meanwhile

// Absolute input runs over 0..65535 on the primary screen; rounding up
// lands on the pixel itself.
LONG Normalised(LONG value, int extent) {
  return static_cast<LONG>((static_cast<long long>(value) * 65536 + extent - 1) / extent);
}

void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT MouseInput(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  return input;
}

}  // namespace

INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

void InputKeys(const std::vector<WORD>& keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
  }
  Send(inputs);
}

void InputKeyWithModifier(WORD modifier, WORD key) {
  Send({KeyInput(modifier, false), KeyInput(key, false), KeyInput(key, true),
        KeyInput(modifier, true)});
}

std::vector<Key> Keys(std::string_view digits) {
  std::vector<Key> keys;
  for (char c : digits) keys.push_back({static_cast<WORD>(c)});
  return keys;
}

bool InputKeysInto(HWND mainWindow, const std::vector<Key>& keys) {
  const DWORD target = GetWindowThreadProcessId(mainWindow, nullptr);
  const DWORD self = GetCurrentThreadId();
  const bool attached = AttachThreadInput(self, target, TRUE) != FALSE;
  SetForegroundWindow(mainWindow);
  Sleep(kKeySettleMs);
  for (const Key& key : keys) {
    if (key.ctrl) {
      InputKeyWithModifier(VK_CONTROL, key.key);
    } else {
      InputKeys({key.key});
    }
    Sleep(kKeySettleMs);
  }
  if (attached) AttachThreadInput(self, target, FALSE);
  return attached;
}

void MovePointer(POINT screen) {
  INPUT input = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
  input.mi.dx = Normalised(screen.x, GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = Normalised(screen.y, GetSystemMetrics(SM_CYSCREEN));
  Send({input});
}

bool MovePointerTo(POINT screen) {
  MovePointer(screen);
  PumpFor(kPointerSettleMs);
  POINT now{};
  GetCursorPos(&now);
  return now.x == screen.x && now.y == screen.y;
}

void ClickButton(DWORD downFlag, DWORD upFlag, int times) {
  std::vector<INPUT> inputs;
  for (int i = 0; i < times; ++i) {
    inputs.push_back(MouseInput(downFlag));
    inputs.push_back(MouseInput(upFlag));
  }
  Send(inputs);
}

void ClickAt(POINT screen) {
  EXPECT_TRUE(MovePointerTo(screen)) << "the pointer did not reach " << screen.x << "," << screen.y;
  ClickButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

POINT OnScreen(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  return point;
}

POINT CentreOf(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void ClickOn(HWND window) { ClickAt(CentreOf(window)); }

void PostKeyPress(HWND box, WORD key) {
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
  PostMessageA(box, WM_KEYDOWN, key, scan | 1);
  PumpMessages(Quit::KeepForLoop);
  // The box may be gone by now (clear-all destroys the rows).
  if (IsWindow(box)) PostMessageA(box, WM_KEYUP, key, scan | 0xC0000001);
  PumpMessages(Quit::KeepForLoop);
}

void PostKeyPress(widgets::Control* box, WORD key) { PostKeyPress(box->EnsureWindow(), key); }

void SendKeyPress(HWND window, WORD key) {
  SendMessageA(window, WM_KEYDOWN, key, 1);
  SendMessageA(window, WM_KEYUP, key, 0xC0000001);
}

void SendCharacters(HWND box, std::string_view characters) {
  for (wchar_t c : win::Widen(characters)) SendMessageW(box, WM_CHAR, c, 1);
  PumpMessages(Quit::KeepForLoop);
}

void SendCharacters(widgets::Control* box, std::string_view characters) {
  SendCharacters(box->EnsureWindow(), characters);
}

}  // namespace zemko_test
