// The system's message box for texts of the program.
#pragma once

#include <windows.h>

#include <string_view>

namespace win {

// A message box without owner and caption (the system's "Error"); gives
// what MessageBox gives.
int ShowMessageBox(std::string_view text, UINT flags);

}  // namespace win
