// The system's message box for texts of the program.
#pragma once

#include <windows.h>

#include <string_view>

namespace win {

// A message box without caption (the system's "Error"), over the owner if
// one is given; gives what MessageBox gives.
int ShowMessageBox(std::string_view text, UINT flags, HWND owner = nullptr);

}  // namespace win
