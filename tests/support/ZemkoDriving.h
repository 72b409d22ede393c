// Driving the running program from another process, as its user would: the
// main window found by its class and caption, the example bet for
// InputKeysInto (support/Input.h), and the result strip and the focus read
// back.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

#include "support/Input.h"

namespace zemko_test {

// The main window ("Form", caption "Земко") of the process, or of any
// process for a zero id; null when none showed within the time.
HWND FindMainWindow(DWORD processId, DWORD milliseconds);

// The bet of the example: stake 300, rows 2, 3 and 4, N 3, K 2, Enter in
// the "по" box.
std::vector<Key> ExampleBet();

// The result strip: the label at the left margin under the rows.
HWND ResultStrip(HWND mainWindow);
// The box with the keyboard focus in the window's thread.
HWND FocusOf(HWND mainWindow);
// Waits until the result strip shows the text.
bool WaitForResult(HWND mainWindow, std::string_view text, DWORD milliseconds);

}  // namespace zemko_test
