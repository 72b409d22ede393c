// The yardstick for start-up time: a plain Win32 program that only opens an
// empty window and runs a message loop. Built a second time with
// WITH_TEXT, it also shows one line of text, so the cost of the system's
// font machinery (a large part of any window with text under Wine) can be
// told apart.
#include "YardstickWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (!yardstick::RegisterWindowClass(instance, "Minimal")) return 1;
  HWND window = CreateWindowExA(0, "Minimal", "Minimal", WS_POPUP | WS_BORDER | WS_VISIBLE, 0, 0,
                                252, 192, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
#ifdef WITH_TEXT
  CreateWindowExA(0, "STATIC", "Результат", WS_CHILD | WS_VISIBLE, 10, 10, 200, 20, window, nullptr,
                  instance, nullptr);
#endif
  return yardstick::RunMessageLoop();
}
