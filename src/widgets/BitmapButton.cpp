// The owner-drawn bitmap button: glyph sizing at creation and its painting.
#include "widgets/WidgetsInternal.h"

#include <commctrl.h>

namespace widgets {

namespace {

constexpr DWORD kBitmapButtonStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr int kDefaultButtonWidth = 64;  // the size a button with a caption starts from
constexpr int kDefaultButtonHeight = 22;
constexpr int kEdgeAllowance = 4;  // room for the 3D edge of a button that is not flat
constexpr int kGlyphTextSpacing = 4;

// Glyph picture index by button state.
constexpr int kGlyphNormal = 0;
constexpr int kGlyphPressed = 1;
constexpr int kGlyphDisabled = 2;
constexpr int kGlyphFocused = 3;
constexpr int kGlyphMouseOver = 4;

}  // namespace

Control* CreateBitmapButton(Control* parent, std::string_view caption, unsigned options,
                            int layout, HBITMAP glyph, int glyphCount) {
  auto* button = new Control(ControlKind::BitmapButton, parent);
  button->style_ = kBitmapButtonStyle;
  button->text_ = caption;
  button->tabStop_ = true;
  button->repaintOnResize_ = true;
  button->buttonOptions_ = options;
  button->glyphLayout_ = layout;
  button->glyph_ = glyph;

  if (glyph && (options & kButtonImageList)) {
    auto list = reinterpret_cast<HIMAGELIST>(glyph);
    ImageList_GetIconSize(list, &button->glyphWidth_, &button->glyphHeight_);
    button->glyphCount_ = ImageList_GetImageCount(list);
  } else if (BITMAP info; glyph && GetObjectA(glyph, sizeof info, &info)) {
    // Glyphs sit side by side; count 0 takes square glyphs.
    int count = glyphCount;
    if (count == 0) count = info.bmHeight > 0 ? info.bmWidth / info.bmHeight : 1;
    if (count < 1) count = 1;
    button->glyphCount_ = count;
    button->glyphWidth_ = info.bmWidth / count;
    button->glyphHeight_ = info.bmHeight;
  }

  int width = kDefaultButtonWidth;
  int height = kDefaultButtonHeight;
  if (button->glyphWidth_ > 0) {
    if (caption.empty() || layout == kGlyphCentre) {
      width = button->glyphWidth_;
    } else if (layout == kGlyphLeft || layout == kGlyphRight) {
      width += button->glyphWidth_;
    }
    if (layout == kGlyphTop || layout == kGlyphBottom) {
      height += button->glyphHeight_;
    } else {
      height = button->glyphHeight_;
    }
    if (!(options & kButtonFlat)) {
      width += kEdgeAllowance;
      height += kEdgeAllowance;
    }
  }
  button->bounds_ = {0, 0, width, height};
  return button;
}

void Control::DrawButton(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT area = item.rcItem;
  bool flat = buttonOptions_ & kButtonFlat;
  bool pressed = (item.itemState & ODS_SELECTED) || down_;
  bool focused = item.itemState & ODS_FOCUS;
  int state = kGlyphNormal;
  if (item.itemState & ODS_DISABLED) {
    state = kGlyphDisabled;
  } else if (pressed) {
    state = kGlyphPressed;
  } else if (mouseInside_ && mouseEnter_) {
    state = kGlyphMouseOver;
  } else if (focused) {
    state = kGlyphFocused;
  }

  int saved = SaveDC(dc);
  FillRect(dc, &area, Brush());
  RECT inner = area;
  if (!flat) DrawEdge(dc, &inner, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);

  bool drawCaption = !(buttonOptions_ & kButtonNoCaption) && glyphLayout_ != kGlyphCentre &&
                     !text_.empty();
  if (font_) SelectObject(dc, font_->Handle());
  SIZE textSize{};
  if (drawCaption) GetTextExtentPoint32A(dc, text_.c_str(), static_cast<int>(text_.size()), &textSize);

  // Glyph and caption side by side (or one above the other), centred together.
  int glyphWidth = glyphWidth_, glyphHeight = glyphHeight_;
  int innerWidth = inner.right - inner.left, innerHeight = inner.bottom - inner.top;
  int gap = drawCaption && glyphWidth > 0 ? kGlyphTextSpacing : 0;
  int glyphX = inner.left + (innerWidth - glyphWidth) / 2;
  int glyphY = inner.top + (innerHeight - glyphHeight) / 2;
  int textX = inner.left + (innerWidth - textSize.cx) / 2;
  int textY = inner.top + (innerHeight - textSize.cy) / 2;
  if (drawCaption) {
    int across = glyphWidth + gap + textSize.cx;
    int down = glyphHeight + gap + textSize.cy;
    switch (glyphLayout_) {
      case kGlyphLeft:
        glyphX = inner.left + (innerWidth - across) / 2;
        textX = glyphX + glyphWidth + gap;
        break;
      case kGlyphRight:
        textX = inner.left + (innerWidth - across) / 2;
        glyphX = textX + textSize.cx + gap;
        break;
      case kGlyphTop:
        glyphY = inner.top + (innerHeight - down) / 2;
        textY = glyphY + glyphHeight + gap;
        break;
      case kGlyphBottom:
        textY = inner.top + (innerHeight - down) / 2;
        glyphY = textY + textSize.cy + gap;
        break;
    }
  }
  if (!flat && pressed && glyphLayout_ != kGlyphCentre) {
    ++glyphX, ++glyphY, ++textX, ++textY;
  }

  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  int index = state < glyphCount_ ? state : 0;
  if (glyph_ && (buttonOptions_ & kButtonImageList)) {
    ImageList_Draw(reinterpret_cast<HIMAGELIST>(glyph_), index, dc, glyphX, glyphY, ILD_NORMAL);
  } else if (glyph_) {
    SelectedBitmapDc source(dc, static_cast<HBITMAP>(glyph_));
    StretchBlt(dc, glyphX, glyphY, glyphWidth, glyphHeight, source.Get(), index * glyphWidth, 0,
               glyphWidth, glyphHeight, SRCCOPY);
  }
  if (drawCaption) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, state == kGlyphDisabled ? GetSysColor(COLOR_GRAYTEXT) : ResolveColour(textColour_));
    TextOutA(dc, textX, textY, text_.c_str(), static_cast<int>(text_.size()));
  }
  if (!flat && focused) {
    RECT focus = inner;
    InflateRect(&focus, -1, -1);
    DrawFocusRect(dc, &focus);
  }
  RestoreDC(dc, saved);
}

}  // namespace widgets
