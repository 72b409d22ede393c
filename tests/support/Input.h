// Input for the window tests, as the system delivers a user's: keys and the
// mouse through SendInput; and, for cases that want no real input, a key
// posted to a box so that TranslateMessage still makes its character.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace zemko_test {

// One key event for SendInput, with the scan code a real keyboard sends.
INPUT KeyInput(WORD key, bool up);
// Presses and releases each key in turn.
void TypeKeys(const std::vector<WORD>& keys);
// The key pressed and released while the modifier is held.
void PressWithModifier(WORD modifier, WORD key);

// Moves the pointer to a screen point.
void MovePointer(POINT screen);
// Moves the pointer there, pumping this thread meanwhile; true once it is.
bool MovePointerTo(POINT screen);
// Presses and releases a button (MOUSEEVENTF_LEFTDOWN and so on) where the
// pointer is; `times` 2 makes a double click.
void ClickButton(DWORD downFlag, DWORD upFlag, int times = 1);
// The pointer to the point, then a left click.
void ClickAt(POINT screen);
// A point of the window's client area in screen coordinates.
POINT OnScreen(HWND window, int x, int y);
// The centre of a window on the screen.
POINT CentreOf(HWND window);
void ClickOn(HWND window);

// A key pressed and released in the box through the queue and
// TranslateMessage, like a real key: the character follows the key-down.
void Press(HWND box, WORD key);
// Characters typed into the box (WM_CHAR each).
void Type(HWND box, std::string_view characters);

}  // namespace zemko_test
