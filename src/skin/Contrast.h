// Contrast themes: the one question whether one is on, and the colours the
// program then paints with.
#pragma once

#include <memory>
#include <type_traits>

#include "widgets/Widgets.h"

namespace skin {

// Whether a contrast theme is on (SPI_GETHIGHCONTRAST, HCF_HIGHCONTRASTON):
// the only place the program asks.
bool ContrastThemeOn();

// Puts another answer in the system's place, for a system that cannot
// switch its theme (Wine refuses SPI_SETHIGHCONTRAST and always answers
// off); null gives the question back to the system.
using ContrastAnswer = bool (*)();
void AnswerContrastWith(ContrastAnswer answer);

// Every colour of the windows, by what it paints: the design's, or while a
// contrast theme is on the system's.
struct Palette {
  widgets::Colour surface;        // the windows, the row count and «по»
  widgets::Colour strip;          // the caption strip and its buttons
  widgets::Colour stripText;      // its title
  widgets::Colour stripLine;      // the line under it
  widgets::Colour resultStrip;    // the result strip
  widgets::Colour resultText;     // and its text
  widgets::Colour bottomButtons;  // behind the bottom buttons' glyphs
  widgets::Colour link;
  widgets::Colour linkHover;
};
Palette DesignPalette();
Palette CurrentPalette();

// A control's background colour, set only where it changes (a set colour
// repaints).
void SetColour(widgets::Control* control, widgets::Colour colour);

// A glyph button in the palette: on the design's surface the design's
// glyph (which its maker keeps for the whole run); on any other a copy
// mapped to that colour as it is now, owned here and made again when a new
// theme changes the colour.
struct ThemedGlyph {
  struct BitmapDeleter {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
  };
  ThemedGlyph(widgets::BitmapButton* button, int glyph, widgets::Colour designSurface,
              HBITMAP design)
      : button(button), glyph(glyph), designSurface(designSurface), design(design) {}

  widgets::BitmapButton* button;
  int glyph;  // bitmap resource
  widgets::Colour designSurface;
  HBITMAP design;
  std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter> contrast;
  COLORREF contrastSurface = 0;  // what the key grey became in it
};
void PaintGlyphButton(ThemedGlyph& entry, widgets::Colour surface);

}  // namespace skin
