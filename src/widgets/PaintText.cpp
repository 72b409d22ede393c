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

// The font PaintText draws with, selected into the context while it lives.
class TextFont {
 public:
  TextFont(HDC dc, int dpi) : dc_(dc) {
    const bool designDpi = dpi == kDesignDpi;
    if (designDpi && GetTextCharset(dc) == RUSSIAN_CHARSET) return;
    LOGFONTW font{};
    font.lfHeight = Scale(kSystemFontHeight, dpi);
    font.lfWidth = designDpi ? kSystemFontWidth : 0;  // the outline face's own proportions
    font.lfWeight = FW_BOLD;
    font.lfCharSet = RUSSIAN_CHARSET;
    std::wcsncpy(font.lfFaceName, designDpi ? kSystemFontFace : kScalableFace, LF_FACESIZE - 1);
    font_ = CreateCyrillicFont(font);
    if (font_) previous_ = SelectObject(dc, font_);
  }
  TextFont(const TextFont&) = delete;
  TextFont& operator=(const TextFont&) = delete;
  ~TextFont() {
    if (!font_) return;
    SelectObject(dc_, previous_);
    CountedDeleteObject(font_);
  }

 private:
  HDC dc_;
  HFONT font_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

}  // namespace

void PaintText(HDC dc, int x, int y, std::string_view text, int dpi) {
  const std::wstring wide = Widen(text);
  const TextFont font(dc, dpi);
  TextOutW(dc, Scale(x, dpi), Scale(y, dpi), wide.c_str(), static_cast<int>(wide.size()));
}

SIZE MeasureText(HDC dc, std::string_view text, int dpi) {
  const std::wstring wide = Widen(text);
  const TextFont font(dc, dpi);
  SIZE extent{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
  return extent;
}

}  // namespace widgets
