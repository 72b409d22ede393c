// Real mouse input for the window tests: the pointer moved and the buttons
// pressed through SendInput, as the system delivers a user's mouse.
#pragma once

#include <windows.h>

namespace zemko_test {

// Moves the pointer to a screen point.
void MovePointer(POINT screen);
// Presses and releases a button (MOUSEEVENTF_LEFTDOWN and so on) where the
// pointer is; `times` 2 makes a double click.
void ClickButton(DWORD downFlag, DWORD upFlag, int times = 1);
// A point of the window's client area in screen coordinates.
POINT OnScreen(HWND window, int x, int y);

}  // namespace zemko_test
