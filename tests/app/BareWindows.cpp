// What the calculator's windows cost under Wine with nothing else in them:
// the application window that owns the taskbar entry, a form sized twice
// and shown, and fifteen plain child windows of the calculator's classes.
// Timed beside the minimal window, it is the floor a program built of these
// windows can start in.
#include "YardstickWindow.h"

namespace {

constexpr int kFormWidth = 252;
constexpr int kFormHeight = 192;
constexpr int kChildren = 15;
constexpr int kPerRow = 5;
constexpr int kCellWidth = 45;
constexpr int kCellHeight = 30;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (!yardstick::RegisterWindowClass(instance, "BareApp") ||
      !yardstick::RegisterWindowClass(instance, "BareForm"))
    return 1;
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
                    5 + (i % kPerRow) * kCellWidth, 5 + (i / kPerRow) * kCellHeight, kCellWidth - 5,
                    kCellHeight - 10, form, nullptr, instance, nullptr);
  }
  return yardstick::RunMessageLoop();
}
