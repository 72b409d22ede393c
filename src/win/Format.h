// Formatting integers and texts the way Windows' own wvsprintf does.
#pragma once

#include <string>

namespace win {

// Formats with the Win32 wvsprintfA (its %d, %u, %x, %s and so on). Win32
// writes at most 1024 characters, so longer results are cut there.
std::string FormatText(const char* format, ...);

}  // namespace win
