#include "mainwindow/MouseInput.h"

#include <vector>

namespace zemko_test {

namespace {

// Absolute input runs over 0..65535 on the primary screen; rounding up
// lands on the pixel itself.
LONG Normalised(LONG value, int extent) {
  return static_cast<LONG>((static_cast<long long>(value) * 65536 + extent - 1) / extent);
}

}  // namespace

void MovePointer(POINT screen) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = Normalised(screen.x, GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = Normalised(screen.y, GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

void ClickButton(DWORD downFlag, DWORD upFlag, int times) {
  std::vector<INPUT> inputs;
  for (int i = 0; i < times; ++i) {
    for (DWORD flag : {downFlag, upFlag}) {
      INPUT input{};
      input.type = INPUT_MOUSE;
      input.mi.dwFlags = flag;
      inputs.push_back(input);
    }
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

POINT OnScreen(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  return point;
}

}  // namespace zemko_test
