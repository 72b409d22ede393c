// Driving the running program from another process, as its user would: the
// main window found by its class and caption, keys typed with SendInput
// into the focused box, and the boxes read back with WM_GETTEXT.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace zemko_drive {

// The main window ("Form", caption "Земко") of the process, or of any
// process for a zero id; null when none showed within the time.
HWND FindMainWindow(DWORD processId, DWORD milliseconds);

// One key of a typed sequence: a virtual key, with Ctrl held or not.
struct Key {
  WORD key;
  bool ctrl = false;
};
// The bet of the example: stake 300, rows 2, 3 and 4, N 3, K 2, Enter in
// the "по" box.
std::vector<Key> ExampleBet();
std::vector<Key> Keys(std::string_view digits);

// Brings the window to the front and types the keys into whatever has the
// focus there, holding one input attachment for the whole sequence.
bool TypeKeys(HWND mainWindow, const std::vector<Key>& keys);

// The text of a child window, read across the process boundary.
std::string TextOf(HWND window);
// The children of the window of a class, in Z order.
std::vector<HWND> ChildrenOfClass(HWND parent, const char* className);
// The result strip: the label at the left margin under the rows.
HWND ResultStrip(HWND mainWindow);
// The box with the keyboard focus in the window's thread.
HWND FocusOf(HWND mainWindow);
// Waits until the result strip shows the text.
bool WaitForResult(HWND mainWindow, std::string_view text, DWORD milliseconds);

}  // namespace zemko_drive
