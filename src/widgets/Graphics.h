// The widget layer's graphics: colour values (Colour.h), the font object, off-screen
// bitmaps, glyphs loaded with a colour mapped, and text painted on a
// context. Each GDI object is made on demand and owned by its object.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "widgets/Colour.h"
#include "widgets/Dpi.h"

namespace widgets {

class Control;

// ---------------------------------------------------------------- font

// Font style bits (set font style).
constexpr unsigned kFontBold = 1;
constexpr unsigned kFontItalic = 2;
constexpr unsigned kFontUnderline = 4;
constexpr unsigned kFontStrikeOut = 8;

// A colour and a LOGFONT; the GDI font is made on demand and every change
// drops it and tells the owning control.
class Font {
 public:
  Font();
  Font(const Font& other);  // same values, no owner, no GDI font yet
  Font& operator=(const Font&) = delete;
  ~Font();

  Colour GetColour() const { return colour_; }
  void SetColour(Colour colour);
  int GetHeight() const { return logFont_.lfHeight; }
  void SetHeight(int height);
  unsigned GetStyle() const;
  void SetStyle(unsigned style);
  std::string GetFace() const;
  void SetFace(std::string_view face);
  const LOGFONTW& LogFont() const { return logFont_; }

  // The GDI font, at its owner's DPI (the design's without an owner).
  HFONT Handle();
  // The control told of every change.
  void SetOwner(Control* owner) { owner_ = owner; }
  // Drops the GDI font, to be made again at the owner's DPI, and tells the
  // owner.
  void Changed();

 private:
  Control* owner_ = nullptr;
  Colour colour_ = kWindowTextColour;
  LOGFONTW logFont_{};
  HFONT handle_ = nullptr;
};

// ---------------------------------------------------------------- bitmaps

// An off-screen bitmap that owns its GDI objects; draw transparent keeps the
// mask it builds until another key colour or another picture needs a new one.
class BitmapObject {
 public:
  BitmapObject(int width, int height);
  BitmapObject(const BitmapObject&) = delete;
  BitmapObject& operator=(const BitmapObject&) = delete;
  ~BitmapObject();

  // Replaces the picture with a bitmap resource; false when it cannot be
  // loaded (the object is then empty).
  bool LoadResource(HINSTANCE module, int resourceId);
  // At the design's x, y, each pixel drawn as Scale gives it for the DPI:
  // whole screen pixels, no blur.
  void DrawTransparent(HDC dc, int x, int y, Colour key, int dpi = kDesignDpi);

  HBITMAP Handle() const { return bitmap_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  void Clear();
  void FreeMask();

  HBITMAP bitmap_ = nullptr;
  HBITMAP mask_ = nullptr;
  COLORREF maskKey_ = 0;
  int width_ = 0;
  int height_ = 0;
};

// Loads a bitmap resource with every pixel of exactly `from` turned into
// `to`. The caller owns the result (DeleteObject); null when it fails.
HBITMAP LoadMappedBitmap(HINSTANCE module, int resourceId, Colour from, Colour to);

// ---------------------------------------------------------------- text

// Draws the text at the design's x, y with the context's colour. At 96 DPI
// it takes the context's font, unless that font has no Cyrillic glyphs (the
// system font of a Western or Japanese Windows): then the Cyrillic system
// font. At any other DPI, whose system font has other sizes, the system
// font's scaled size in the outline face of the windows' font.
void PaintText(HDC dc, int x, int y, std::string_view text, int dpi = kDesignDpi);
// The size in pixels PaintText draws the text at.
SIZE MeasureText(HDC dc, std::string_view text, int dpi = kDesignDpi);

}  // namespace widgets
