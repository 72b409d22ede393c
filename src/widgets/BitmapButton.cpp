// The owner-drawn bitmap button: glyph sizing at creation, its click, its
// alignment bits and its painting.
#include "win/Libraries.h"
#include "widgets/WidgetsInternal.h"

#include <commctrl.h>
#include <oleacc.h>
#include <olectl.h>

namespace widgets {

namespace {

constexpr DWORD kBitmapButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW |
                                     WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
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

// An image list comes from the common controls library, which whoever made
// the list has loaded; the program itself does not load it for this.
template <typename Function>
Function ImageListFunction(const char* name) {
  return win::LibraryFunction<Function>("comctl32.dll", name, win::Loading::AlreadyLoaded);
}

}  // namespace

BitmapButton::BitmapButton(Control* parent, const BitmapButtonArgs& args)
    : Control(parent), options_(args.options), layout_(args.layout), glyph_(args.glyph) {
  NumberInForm();
  style_ = kBitmapButtonStyle;
  text_ = args.caption;
  tabStop_ = true;

  if (args.glyph && Has(options_, ButtonOption::ImageList)) {
    auto list = reinterpret_cast<HIMAGELIST>(args.glyph);
    auto iconSize = ImageListFunction<decltype(&ImageList_GetIconSize)>("ImageList_GetIconSize");
    auto imageCount = ImageListFunction<decltype(&ImageList_GetImageCount)>(
        "ImageList_GetImageCount");
    if (iconSize && imageCount && iconSize(list, &glyphWidth_, &glyphHeight_))
      glyphCount_ = imageCount(list);
  } else if (BITMAP info; args.glyph && GetObjectW(args.glyph, sizeof info, &info)) {
    // Glyphs sit side by side; count 0 takes square glyphs.
    int count = args.glyphCount;
    if (count == 0) count = info.bmHeight > 0 ? info.bmWidth / info.bmHeight : 1;
    if (count < 1) count = 1;
    glyphCount_ = count;
    glyphWidth_ = info.bmWidth / count;
    glyphHeight_ = info.bmHeight;
  }

  int width = kDefaultButtonWidth;
  int height = kDefaultButtonHeight;
  if (glyphWidth_ > 0) {
    if (args.caption.empty() || layout_ == GlyphLayout::Centre) {
      width = glyphWidth_;
    } else if (layout_ == GlyphLayout::Left || layout_ == GlyphLayout::Right) {
      width += glyphWidth_;
    }
    if (layout_ == GlyphLayout::Top || layout_ == GlyphLayout::Bottom) {
      height += glyphHeight_;
    } else {
      height = glyphHeight_;
    }
    if (!Has(options_, ButtonOption::Flat)) {
      width += kEdgeAllowance;
      height += kEdgeAllowance;
    }
  }
  bounds_ = {0, 0, width, height};
}

BitmapButton* BitmapButton::Create(Control* parent, const BitmapButtonArgs& args) {
  auto* button = new BitmapButton(parent, args);
  if (args.place) button->SetPlace(*args.place);
  return button;
}

BitmapButton* CreateBitmapButton(Control* parent, const BitmapButtonArgs& args) {
  return BitmapButton::Create(parent, args);
}

DWORD BitmapButton::AccessibleRole() const { return ROLE_SYSTEM_PUSHBUTTON; }

// ---------------------------------------------------------------- messages

void BitmapButton::Click() {
  const HWND window = EnsureWindow();
  Window(window).Send(WM_COMMAND, MAKEWPARAM(id_, BN_CLICKED), reinterpret_cast<LPARAM>(window));
}

void BitmapButton::SetGlyph(HBITMAP glyph) {
  glyph_ = glyph;
  Invalidate();
}

bool BitmapButton::HandleKind(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case OCM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return true;
      if (Has(options_, ButtonOption::Toggle)) {
        down_ = !down_;
        Invalidate();
      }
      FireClick();
      return true;
    case OCM_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      result = TRUE;
      return true;
    case WM_LBUTTONDBLCLK:
      // A fast double click on a button is two clicks.
      result = DefaultProcedure(WM_LBUTTONDOWN, wParam, lParam);
      return true;
    case WM_KEYDOWN:
      // Enter presses a focused button as Space does (there is no dialog
      // manager to make it the default button's key).
      if (wParam != VK_RETURN || GetKeyState(VK_CONTROL) < 0) break;
      Click();
      result = 0;
      return true;
  }
  return Control::HandleKind(message, wParam, lParam, result);
}

Control::StyleBits BitmapButton::TextAlignmentBits(int alignment) const {
  constexpr DWORD kValues[] = {BS_LEFT, BS_RIGHT, BS_CENTER};
  return {BS_CENTER, kValues[alignment]};
}

Control::StyleBits BitmapButton::VerticalAlignmentBits(int alignment) const {
  constexpr DWORD kValues[] = {BS_VCENTER, BS_TOP, BS_BOTTOM};
  return {BS_VCENTER, kValues[alignment]};
}

// ---------------------------------------------------------------- painting

void BitmapButton::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT area = item.rcItem;
  bool flat = Has(options_, ButtonOption::Flat);
  bool pressed = (item.itemState & ODS_SELECTED) || down_;
  bool focused = item.itemState & ODS_FOCUS;
  int state = kGlyphNormal;
  if (item.itemState & ODS_DISABLED) {
    state = kGlyphDisabled;
  } else if (pressed) {
    state = kGlyphPressed;
  } else if (MouseInside() && HasMouseEnterHandler()) {
    state = kGlyphMouseOver;
  } else if (focused) {
    state = kGlyphFocused;
  }

  int saved = SaveDC(dc);
  FillRect(dc, &area, Brush());
  RECT inner = area;
  if (!flat) DrawEdge(dc, &inner, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);

  bool drawCaption = !Has(options_, ButtonOption::NoCaption) && layout_ != GlyphLayout::Centre &&
                     !text_.empty();
  if (font_) SelectObject(dc, font_->Handle());
  SIZE textSize{};
  const std::wstring caption = drawCaption ? Widen(text_) : std::wstring();
  if (drawCaption) {
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &textSize);
  }

  // Glyph and caption side by side (or one above the other), centred
  // together; the glyph's pixels drawn as whole screen pixels at the DPI.
  const int dpi = Dpi();
  int glyphWidth = Scale(glyphWidth_, dpi), glyphHeight = Scale(glyphHeight_, dpi);
  int innerWidth = inner.right - inner.left, innerHeight = inner.bottom - inner.top;
  int gap = drawCaption && glyphWidth > 0 ? Scale(kGlyphTextSpacing, dpi) : 0;
  int glyphX = inner.left + (innerWidth - glyphWidth) / 2;
  int glyphY = inner.top + (innerHeight - glyphHeight) / 2;
  int textX = inner.left + (innerWidth - textSize.cx) / 2;
  int textY = inner.top + (innerHeight - textSize.cy) / 2;
  if (drawCaption) {
    int across = glyphWidth + gap + textSize.cx;
    int down = glyphHeight + gap + textSize.cy;
    switch (layout_) {
      case GlyphLayout::Left:
        glyphX = inner.left + (innerWidth - across) / 2;
        textX = glyphX + glyphWidth + gap;
        break;
      case GlyphLayout::Right:
        textX = inner.left + (innerWidth - across) / 2;
        glyphX = textX + textSize.cx + gap;
        break;
      case GlyphLayout::Top:
        glyphY = inner.top + (innerHeight - down) / 2;
        textY = glyphY + glyphHeight + gap;
        break;
      case GlyphLayout::Bottom:
        textY = inner.top + (innerHeight - down) / 2;
        glyphY = textY + textSize.cy + gap;
        break;
      case GlyphLayout::Centre: break;
    }
  }
  if (!flat && pressed && layout_ != GlyphLayout::Centre) {
    ++glyphX, ++glyphY, ++textX, ++textY;
  }

  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  int index = state < glyphCount_ ? state : 0;
  if (glyph_ && Has(options_, ButtonOption::ImageList)) {
    if (auto draw = ImageListFunction<decltype(&ImageList_Draw)>("ImageList_Draw"))
      draw(reinterpret_cast<HIMAGELIST>(glyph_), index, dc, glyphX, glyphY, ILD_NORMAL);
  } else if (glyph_) {
    SelectedBitmapDc source(dc, static_cast<HBITMAP>(glyph_));
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, glyphX, glyphY, glyphWidth, glyphHeight, source.Get(), index * glyphWidth_, 0,
               glyphWidth_, glyphHeight_, SRCCOPY);
  }
  if (drawCaption) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(
        dc, state == kGlyphDisabled ? GetSysColor(COLOR_GRAYTEXT) : ResolveColour(textColour_));
    TextOutW(dc, textX, textY, caption.c_str(), static_cast<int>(caption.size()));
  }
  if (!flat && focused) {
    RECT focus = inner;
    InflateRect(&focus, -1, -1);
    DrawFocusRect(dc, &focus);
  }
  if (flat && focused) DrawFocusCue(dc, area);
  RestoreDC(dc, saved);
}

// On the button's outermost pixels, around the glyph, and only once the
// keyboard was used in the form: a mouse user sees the glyph alone.
void BitmapButton::DrawFocusCue(HDC dc, const RECT& area) {
  const Form* form = OwningForm();
  if (!form || !form->FocusCuesShown()) return;
  DrawFocusRect(dc, &area);
}

}  // namespace widgets
