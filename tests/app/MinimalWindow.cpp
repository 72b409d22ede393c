// The yardstick for start-up time: a plain Win32 program that only opens an
// empty window and runs a message loop. Built a second time with
// WITH_TEXT, it also shows one line of text, so the cost of the system's
// font machinery (a large part of any window with text under Wine) can be
// told apart.
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = "Minimal";
  if (!RegisterClassA(&windowClass)) return 1;
  HWND window = CreateWindowExA(0, "Minimal", "Minimal", WS_POPUP | WS_BORDER | WS_VISIBLE, 0, 0,
                                252, 192, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
#ifdef WITH_TEXT
  CreateWindowExA(0, "STATIC", "Результат", WS_CHILD | WS_VISIBLE, 10, 10, 200, 20, window,
                  nullptr, instance, nullptr);
#endif
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
