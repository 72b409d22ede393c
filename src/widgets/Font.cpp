// The font object: a colour and a LOGFONT with a GDI font made on demand,
// and the layer's policy for the character set its fonts ask for.
#include "widgets/WidgetsInternal.h"

#include <algorithm>
#include <cwchar>

namespace widgets {

namespace {

constexpr wchar_t kDefaultFace[] = L"MS Sans Serif";

// The bitmap face has crisp sizes for 96 DPI only; at any other its outline
// twin of the same design draws the scaled height.
LOGFONTW AtDpi(const LOGFONTW& logFont, int dpi) {
  if (dpi == kDesignDpi) return logFont;
  LOGFONTW scaled = logFont;
  scaled.lfHeight = Scale(logFont.lfHeight, dpi);
  scaled.lfWidth = Scale(logFont.lfWidth, dpi);
  if (std::wcscmp(scaled.lfFaceName, kDefaultFace) == 0) {
    std::wcsncpy(scaled.lfFaceName, kScalableFace, LF_FACESIZE - 1);
  }
  return scaled;
}

}  // namespace

// The program's texts are Cyrillic. A Russian system gives the default
// character set Cyrillic glyphs; any other would choose the Western or
// Japanese ones of the same face, so there the Cyrillic set is asked for.
HFONT CreateCyrillicFont(const LOGFONTW& logFont) {
  LOGFONTW asked = logFont;
  if (asked.lfCharSet == DEFAULT_CHARSET && GetACP() != kTextCodePage) {
    asked.lfCharSet = RUSSIAN_CHARSET;
  }
  return CountedCreateFont(asked);
}

Font::Font() {
  logFont_.lfCharSet = DEFAULT_CHARSET;
  std::wcsncpy(logFont_.lfFaceName, kDefaultFace, LF_FACESIZE - 1);
}

Font::Font(const Font& other) : colour_(other.colour_), logFont_(other.logFont_) {}

Font::~Font() { CountedDeleteObject(handle_); }

HFONT Font::Handle() {
  if (!handle_) handle_ = CreateCyrillicFont(AtDpi(logFont_, owner_ ? owner_->Dpi() : kDesignDpi));
  return handle_;
}

void Font::SetColour(Colour colour) {
  colour_ = colour;
  Changed();
}

void Font::SetHeight(int height) {
  logFont_.lfHeight = height;
  Changed();
}

unsigned Font::GetStyle() const {
  unsigned style = 0;
  if (logFont_.lfWeight >= FW_BOLD) style |= kFontBold;
  if (logFont_.lfItalic) style |= kFontItalic;
  if (logFont_.lfUnderline) style |= kFontUnderline;
  if (logFont_.lfStrikeOut) style |= kFontStrikeOut;
  return style;
}

void Font::SetStyle(unsigned style) {
  if (style & kFontBold) {
    if (logFont_.lfWeight < FW_BOLD) logFont_.lfWeight = FW_BOLD;
  } else if (logFont_.lfWeight >= FW_BOLD) {
    logFont_.lfWeight = 0;
  }
  logFont_.lfItalic = (style & kFontItalic) ? TRUE : FALSE;
  logFont_.lfUnderline = (style & kFontUnderline) ? TRUE : FALSE;
  logFont_.lfStrikeOut = (style & kFontStrikeOut) ? TRUE : FALSE;
  Changed();
}

std::string Font::GetFace() const { return Narrow(logFont_.lfFaceName); }

void Font::SetFace(std::string_view face) {
  const std::wstring wide = Widen(face);
  std::wmemset(logFont_.lfFaceName, 0, LF_FACESIZE);
  std::wmemcpy(logFont_.lfFaceName, wide.data(), std::min<size_t>(wide.size(), LF_FACESIZE - 1));
  Changed();
}

// The old GDI font goes only after the owner's window holds the new one.
void Font::Changed() {
  HFONT old = handle_;
  handle_ = nullptr;
  try {
    if (owner_) owner_->FontChanged();
  } catch (...) {
    CountedDeleteObject(old);
    throw;
  }
  CountedDeleteObject(old);
}

}  // namespace widgets
