// The program's colours and the flat look shared by its windows.
#pragma once

#include "widgets/Widgets.h"

namespace skin {

// The peach surface of the windows, and the system colours where the design uses them.
inline constexpr widgets::Colour kSurfaceColour = 0x9ACEFF;              // RGB(255,206,154)
inline constexpr widgets::Colour kStripColour = 0x7AAEDF;                // RGB(223,174,122)
inline constexpr widgets::Colour kResultStripColour = 0xBAEEFF;          // RGB(255,238,186)
inline constexpr widgets::Colour kFieldColour = widgets::kWindowColour;  // COLOR_WINDOW
inline constexpr widgets::Colour kGlyphKeyGrey = 0xCCCCCC;               // RGB(204,204,204)
inline constexpr widgets::Colour kLinkColour = 0x2A5E9F;                 // RGB(159,94,42)
inline constexpr widgets::Colour kLinkHoverColour = 0x0000FF;            // RGB(255,0,0)
inline constexpr COLORREF kBlack = RGB(0, 0, 0);

// The painted caption strip: rows 0 to 19, a black line on row 20.
inline constexpr int kStripHeight = 20;
inline constexpr int kStripLineHeight = 1;
inline constexpr int kTitleX = 4;
inline constexpr int kTitleY = 2;

// A thin one-pixel black frame instead of the sunken 3-D edge.
inline void ApplyFlatFrame(widgets::Control* control) {
  control->SetStyle(control->GetStyle() | WS_BORDER);
  control->SetExtendedStyle(control->GetExtendedStyle() & ~WS_EX_CLIENTEDGE);
}

// Fills the strip and its line over the window's whole client width and
// draws the title on it in the context's colour, all at the window's DPI.
void PaintStrip(HDC dc, widgets::Control* window, const char* title);

}  // namespace skin
