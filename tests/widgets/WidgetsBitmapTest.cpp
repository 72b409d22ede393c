// Bitmaps: the mapped key colour, glyph sizing, owner-drawn glyphs and
// transparent drawing.
#include "widgets/WidgetsTestResources.h"
#include "widgets/TestForm.h"

using namespace widgets;
using namespace zemko_test;

namespace {

constexpr COLORREF kKeyGrey = 0xCCCCCC;
constexpr COLORREF kNearGrey = 0xCBCCCC;  // blue one step below
constexpr COLORREF kStripColour = 0x7AAEDF;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kGreen = 0x008000;
constexpr COLORREF kBlue = 0xFF0000;

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

// The program's kind of button: flat, no caption drawn, the glyph centred.
BitmapButton* GlyphButton(Control* parent, HBITMAP glyph, int glyphCount = 0,
                          ButtonOption more = ButtonOption::None) {
  return CreateBitmapButton(parent, {.caption = "",
                                     .options = ButtonOption::Flat | ButtonOption::NoCaption | more,
                                     .layout = GlyphLayout::Centre,
                                     .glyph = glyph,
                                     .glyphCount = glyphCount});
}

// Asks the button's parent to draw it, as Windows does, onto a picture.
void DrawButton(Control* button, Picture& picture, UINT state) {
  HWND window = button->EnsureWindow();
  DRAWITEMSTRUCT item{ODT_BUTTON,
                      static_cast<UINT>(GetDlgCtrlID(window)),
                      0,
                      ODA_DRAWENTIRE,
                      state,
                      window,
                      picture.Dc(),
                      {0, 0, button->GetWidth(), button->GetHeight()},
                      0};
  SendMessageA(GetParent(window), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

void Fill(Picture& picture, int size, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  RECT all{0, 0, size, size};
  FillRect(picture.Dc(), &all, brush);
  DeleteObject(brush);
}

}  // namespace

TEST(LoadMappedBitmap, ReplacesOnlyPixelsOfExactlyTheKeyColour) {
  HBITMAP bitmap = LoadMappedBitmap(Module(), kGlyph12Resource, kKeyGrey, kStripColour);
  ASSERT_NE(nullptr, bitmap);
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  EXPECT_EQ(12, info.bmWidth);
  EXPECT_EQ(12, info.bmHeight);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  EXPECT_EQ(kStripColour, GetPixel(dc, 0, 0));
  EXPECT_EQ(0u, GetPixel(dc, 1, 1));
  EXPECT_EQ(kNearGrey, GetPixel(dc, 2, 2));
  EXPECT_EQ(kRed, GetPixel(dc, 5, 5));
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) ASSERT_NE(kKeyGrey, GetPixel(dc, x, y)) << x << "," << y;
  }
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(bitmap);
  EXPECT_EQ(nullptr, LoadMappedBitmap(Module(), 999, kKeyGrey, kStripColour));
}

// A damaged picture loads as nothing: nothing past its end is read.
TEST(LoadMappedBitmap, RefusesABitmapShorterThanItsHeaderSays) {
  for (int resource :
       {kTruncatedResource, kHugePaletteResource, kWideRowResource, kHugeRowsResource}) {
    ASSERT_NE(nullptr, FindResourceA(Module(), MAKEINTRESOURCEA(resource), RT_BITMAP)) << resource;
    EXPECT_EQ(nullptr, LoadMappedBitmap(Module(), resource, kKeyGrey, kStripColour)) << resource;
  }
}

struct SizeCase {
  int resource;  // 0: no glyph
  ButtonOption options;
  GlyphLayout layout;
  const char* caption;
  int glyphCount;
  int width, height;
};

TEST_F(FormTest, TheButtonsFirstSizeFollowsItsGlyph) {
  const SizeCase cases[] = {
      {kGlyph12Resource, ButtonOption::Flat | ButtonOption::NoCaption, GlyphLayout::Centre, "", 0,
       12, 12},
      {kGlyph12Resource, ButtonOption::None, GlyphLayout::Centre, "", 0, 16,
       16},  // room for the edge
      {kTwoGlyphsResource, ButtonOption::Flat, GlyphLayout::Centre, "", 0, 12,
       12},  // two square glyphs
      {kTwoGlyphsResource, ButtonOption::Flat, GlyphLayout::Centre, "", 1, 24, 12},
      {kGlyph12Resource, ButtonOption::Flat, GlyphLayout::Left, "Go", 0, 64 + 12, 12},
      {kGlyph12Resource, ButtonOption::Flat, GlyphLayout::Right, "Go", 0, 64 + 12, 12},
      {kGlyph12Resource, ButtonOption::Flat, GlyphLayout::Bottom, "Go", 0, 64, 22 + 12},
      {kGlyph12Resource, ButtonOption::Flat, GlyphLayout::Top, "", 0, 12, 22 + 12},
      {0, ButtonOption::Flat, GlyphLayout::Centre, "", 0, 64, 22},
  };
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.resource << " options " << static_cast<unsigned>(c.options)
                                    << " layout " << static_cast<int>(c.layout));
    HBITMAP glyph = c.resource ? LoadMappedBitmap(Module(), c.resource, kKeyGrey, kStripColour)
                               : nullptr;
    Control* button = CreateBitmapButton(form_, {.caption = c.caption,
                                                 .options = c.options,
                                                 .layout = c.layout,
                                                 .glyph = glyph,
                                                 .glyphCount = c.glyphCount});
    EXPECT_EQ(c.width, button->GetWidth());
    EXPECT_EQ(c.height, button->GetHeight());
    EXPECT_EQ(c.caption, button->GetText());
    DestroyControl(button);
    if (glyph) DeleteObject(glyph);
  }
}

TEST_F(FormTest, AFlatButtonShowsItsCentredGlyphAndNoKeyGrey) {
  HBITMAP glyph = LoadMappedBitmap(Module(), kGlyph12Resource, kKeyGrey, kStripColour);
  form_->SetColour(kStripColour);
  Control* button = GlyphButton(form_, glyph);
  button->SetLeft(20);
  button->SetTop(20);
  button->SetWidth(16);
  button->SetHeight(16);

  Picture normal(16, 16), pressed(16, 16), focused(16, 16);
  DrawButton(button, normal, 0);
  DrawButton(button, pressed, ODS_SELECTED);
  DrawButton(button, focused, ODS_FOCUS);
  EXPECT_FALSE(normal.Contains(kKeyGrey));
  EXPECT_EQ(kStripColour, normal.At(1, 1));  // two pixels around the glyph
  EXPECT_EQ(kStripColour, normal.At(2, 2));  // the glyph's own corner, mapped
  EXPECT_EQ(0u, normal.At(3, 3));            // its frame, not offset
  EXPECT_EQ(kNearGrey, normal.At(4, 4));
  EXPECT_EQ(kRed, normal.At(8, 8));
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      ASSERT_EQ(normal.At(x, y), pressed.At(x, y)) << x << "," << y;
      ASSERT_EQ(normal.At(x, y), focused.At(x, y)) << x << "," << y;
    }
  }

  // The same through Windows, on the screen.
  AsForm(form_)->ShowAndActivate();
  Picture screen(60, 60);
  screen.CopyFromScreen(form_->EnsureWindow());
  EXPECT_FALSE(screen.Contains(kKeyGrey));
  EXPECT_EQ(kStripColour, screen.At(10, 10));
  EXPECT_EQ(kRed, screen.At(28, 28));
  EXPECT_EQ(kNearGrey, screen.At(24, 24));
  DestroyControl(button);
  DeleteObject(glyph);
}

TEST_F(FormTest, ABigGlyphIsCentredAndClippedToTheButton) {
  HBITMAP glyph = LoadMappedBitmap(Module(), kGlyph24Resource, kKeyGrey, 0x9ACEFF);
  Control* button = GlyphButton(form_, glyph);
  button->SetColour(0x00FF00);
  button->SetWidth(26);
  button->SetHeight(26);
  Picture picture(30, 30);
  DrawButton(button, picture, 0);
  EXPECT_EQ(0x00FF00u, picture.At(0, 0));
  EXPECT_EQ(0x9ACEFFu, picture.At(1, 1));
  EXPECT_EQ(0u, picture.At(2, 2));
  EXPECT_EQ(0x9ACEFFu, picture.At(24, 24));
  EXPECT_EQ(0x00FF00u, picture.At(25, 25));

  button->SetWidth(16);
  button->SetHeight(16);
  Fill(picture, 30, 0xFFFFFF);
  DrawButton(button, picture, 0);
  // Centred at -4: the glyph's inside fills the button, nothing spills over.
  EXPECT_EQ(kRed, picture.At(0, 4));
  EXPECT_EQ(kRed, picture.At(15, 15));
  EXPECT_EQ(0xFFFFFFu, picture.At(16, 16));
  EXPECT_EQ(0xFFFFFFu, picture.At(20, 5));
  DestroyControl(button);
  DeleteObject(glyph);
}

TEST_F(FormTest, SeveralGlyphsGiveOnePictureAState) {
  HBITMAP glyphs = LoadMappedBitmap(Module(), kTwoGlyphsResource, kKeyGrey, kStripColour);
  Control* button = GlyphButton(form_, glyphs, 2);
  Picture picture(12, 12);
  DrawButton(button, picture, 0);
  EXPECT_EQ(kGreen, picture.At(6, 6));
  DrawButton(button, picture, ODS_SELECTED);
  EXPECT_EQ(kBlue, picture.At(6, 6));
  DrawButton(button, picture, ODS_DISABLED);  // no third glyph: the first
  EXPECT_EQ(kGreen, picture.At(6, 6));
  DestroyControl(button);
  DeleteObject(glyphs);
}

TEST_F(FormTest, AToggleButtonShowsItsPressedGlyphUntilClickedAgain) {
  HBITMAP glyphs = LoadMappedBitmap(Module(), kTwoGlyphsResource, kKeyGrey, kStripColour);
  BitmapButton* toggle = GlyphButton(form_, glyphs, 2, ButtonOption::Toggle);
  BitmapButton* plain = GlyphButton(form_, glyphs, 2);
  int clicks = 0;
  toggle->click = {[](void* context, Control*) { ++*static_cast<int*>(context); }, &clicks};
  Picture picture(12, 12);

  toggle->Click();
  plain->Click();
  EXPECT_TRUE(toggle->IsDown());
  EXPECT_FALSE(plain->IsDown());
  DrawButton(toggle, picture, 0);
  EXPECT_EQ(kBlue, picture.At(6, 6));
  DrawButton(plain, picture, 0);
  EXPECT_EQ(kGreen, picture.At(6, 6));

  toggle->Click();
  EXPECT_FALSE(toggle->IsDown());
  DrawButton(toggle, picture, 0);
  EXPECT_EQ(kGreen, picture.At(6, 6));
  EXPECT_EQ(2, clicks);
  DestroyControl(toggle);
  DestroyControl(plain);
  DeleteObject(glyphs);
}

TEST(BitmapObject, DrawsTransparentWithOneCachedMask) {
  EXPECT_EQ(nullptr, BitmapObject(0, 0).Handle());
  BitmapObject blank(5, 7);
  EXPECT_NE(nullptr, blank.Handle());
  EXPECT_EQ(5, blank.Width());

  BitmapObject logo(0, 0);
  ASSERT_TRUE(logo.LoadResource(Module(), kLogoResource));
  EXPECT_EQ(4, logo.Width());
  EXPECT_EQ(2, logo.Height());
  Picture picture(10, 10);
  Fill(picture, 10, 0x123456);
  int base = LiveGdiObjects();
  logo.DrawTransparent(picture.Dc(), 3, 3, kKeyGrey);
  EXPECT_EQ(base + 1, LiveGdiObjects());  // the mask stays with the bitmap
  logo.DrawTransparent(picture.Dc(), 3, 3, kKeyGrey);
  EXPECT_EQ(base + 1, LiveGdiObjects());
  EXPECT_EQ(0x123456u, picture.At(3, 3));
  EXPECT_EQ(kRed, picture.At(4, 3));
  EXPECT_EQ(kGreen, picture.At(5, 3));
  EXPECT_EQ(0x123456u, picture.At(6, 3));
  EXPECT_EQ(kBlue, picture.At(4, 4));
  EXPECT_EQ(kNearGrey, picture.At(5, 4));
  EXPECT_EQ(0x123456u, picture.At(2, 3));

  logo.DrawTransparent(picture.Dc(), 0, 0, kRed);  // another key: a new mask
  EXPECT_EQ(base + 1, LiveGdiObjects());
  EXPECT_EQ(0x123456u, picture.At(1, 0));
  EXPECT_EQ(kKeyGrey, picture.At(0, 0));

  EXPECT_FALSE(logo.LoadResource(Module(), 999));
  EXPECT_EQ(nullptr, logo.Handle());
  EXPECT_EQ(base - 1, LiveGdiObjects());
}
