// Text painted on a device context, readable whatever font the context holds.
#include <cwchar>

#include "widgets/WidgetsInternal.h"

namespace widgets {

namespace {

// The font a Russian Windows paints with by default: its system font, of
// Cyrillic glyphs, 16 by 7 pixels and bold.
constexpr int kSystemFontHeight = 16;
constexpr int kSystemFontWidth = 7;
constexpr wchar_t kSystemFontFace[] = L"System";

}  // namespace

void PaintText(HDC dc, int x, int y, std::string_view text) {
  const std::wstring wide = Widen(text);
  HFONT cyrillic = nullptr;
  HGDIOBJ previous = nullptr;
  if (GetTextCharset(dc) != RUSSIAN_CHARSET) {
    LOGFONTW font{};
    font.lfHeight = kSystemFontHeight;
    font.lfWidth = kSystemFontWidth;
    font.lfWeight = FW_BOLD;
    font.lfCharSet = RUSSIAN_CHARSET;
    std::wcsncpy(font.lfFaceName, kSystemFontFace, LF_FACESIZE - 1);
    cyrillic = CreateCyrillicFont(font);
    if (cyrillic) previous = SelectObject(dc, cyrillic);
  }
  TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
  if (cyrillic) {
    SelectObject(dc, previous);
    CountedDeleteObject(cyrillic);
  }
}

}  // namespace widgets
