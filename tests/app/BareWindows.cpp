// What the calculator's windows cost under Wine with nothing else in them:
// the application window that owns the taskbar entry, a form sized twice
// and shown, and fifteen plain child windows of the calculator's classes.
// Timed beside the minimal window, it is the floor a program built of these
// windows can start in.
#include <windows.h>

namespace {

constexpr int kFormWidth = 252;
constexpr int kFormHeight = 192;
constexpr int kChildren = 15;
constexpr int kPerRow = 5;
constexpr int kCellWidth = 45;
constexpr int kCellHeight = 30;

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
  windowClass.lpszClassName = "BareApp";
  if (!RegisterClassA(&windowClass)) return 1;
  windowClass.lpszClassName = "BareForm";
  if (!RegisterClassA(&windowClass)) return 1;
  HWND application = CreateWindowExA(
      WS_EX_APPWINDOW, "BareApp", "BareApp",
      WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr,
      nullptr, instance, nullptr);
  HWND form = CreateWindowExA(WS_EX_CONTROLPARENT, "BareForm", "BareForm",
                              WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, 0, 0, 1, 1, application,
                              nullptr, instance, nullptr);
  if (!application || !form) return 1;
  SetWindowPos(form, nullptr, 0, 0, 1, kFormHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(form, nullptr, 0, 0, kFormWidth, kFormHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(form, SW_SHOW);
  const char* const classes[kChildren] = {"EDIT",   "EDIT",   "EDIT",   "STATIC", "EDIT",
                                          "STATIC", "STATIC", "BUTTON", "BUTTON", "BUTTON",
                                          "BUTTON", "BUTTON", "BUTTON", "BUTTON", "EDIT"};
  for (int i = 0; i < kChildren; ++i) {
    CreateWindowExA(0, classes[i], "1", WS_CHILD | WS_VISIBLE | WS_BORDER,
                    5 + (i % kPerRow) * kCellWidth, 5 + (i / kPerRow) * kCellHeight,
                    kCellWidth - 5, kCellHeight - 10, form, nullptr, instance, nullptr);
  }
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
