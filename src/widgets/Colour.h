// Colour values of the widget layer: a plain RGB value or one of the
// system's colours, resolved at every use so a changed scheme shows at once.
#pragma once

#include <windows.h>

#include <cstdint>

namespace widgets {

// 0x00BBGGRR, or kSystemColour | a GetSysColor index (resolved at every use).
using Colour = std::uint32_t;
constexpr Colour kSystemColour = 0x80000000;
constexpr Colour kButtonFaceColour = kSystemColour | COLOR_BTNFACE;     // 0x8000000F
constexpr Colour kWindowTextColour = kSystemColour | COLOR_WINDOWTEXT;  // 0x80000008
constexpr Colour kWindowColour = kSystemColour | COLOR_WINDOW;          // 0x80000005

COLORREF ResolveColour(Colour colour);

}  // namespace widgets
