// Every input helper of the window tests. Their names say how the input
// arrives:
//   Input...  real input through SendInput, as a user's keys and mouse: the
//             system delivers it to the foreground window's focus, with the
//             character TranslateMessage makes of each key;
//   Post...   messages posted to one window and pumped: they pass through
//             the queue and TranslateMessage, so a key's character follows;
//   Send...   messages sent straight to one window's procedure: no queue, no
//             character.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

#include "widgets/Widgets.h"

namespace zemko_test {

// ---------------------------------------------------------------- real keys

// One key event for SendInput, with the scan code a real keyboard sends.
INPUT KeyInput(WORD key, bool up);
// Presses and releases each key in turn.
void InputKeys(const std::vector<WORD>& keys);
// The key pressed and released while the modifier is held.
void InputKeyWithModifier(WORD modifier, WORD key);

// One key of a sequence typed into another process's window: a virtual
// key, with Ctrl held or not.
struct Key {
  WORD key;
  bool ctrl = false;
};
// The digits (and other keys whose virtual key is their character) in turn.
std::vector<Key> Keys(std::string_view digits);
// Brings the main window to the front and types the keys into whatever has
// the focus there, holding one input attachment to its thread for the whole
// sequence and letting the program take each key before the next; false
// when the attachment failed.
bool InputKeysInto(HWND mainWindow, const std::vector<Key>& keys);

// ---------------------------------------------------------------- real mouse

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

// ---------------------------------------------------------------- one window

// WM_KEYDOWN, then WM_KEYUP, posted to the box and pumped: the key as a
// real one comes, with its character.
void PostKeyPress(HWND box, WORD key);
void PostKeyPress(widgets::Control* box, WORD key);
// WM_KEYDOWN, then WM_KEYUP, sent to the window: the key alone.
void SendKeyPress(HWND window, WORD key);
// WM_CHAR sent to the box for each character.
void SendCharacters(HWND box, std::string_view characters);
void SendCharacters(widgets::Control* box, std::string_view characters);

}  // namespace zemko_test
