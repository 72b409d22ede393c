#include "about/About.h"
#include "about/Texts.h"
#include "ZemResConst.h"
#include "skin/Contrast.h"
#include "skin/Skin.h"

namespace about {

namespace {

using widgets::Control;

constexpr int kClientWidth = 150;
constexpr int kClientHeight = 120;
constexpr int kTopBelowMainWindow = 30;
constexpr int kCloseButtonSize = 16;
constexpr int kCloseButtonMargin = 2;
constexpr int kTextLeft = 10;
constexpr int kTextMargins = 20;
constexpr int kTitleTop = 35;
constexpr int kTitleHeight = 35;
constexpr int kLineHeight = 22;  // a label's own
constexpr int kVersionTop = 70;
constexpr int kVersionFontHeight = 12;
constexpr int kMakerTop = 90;
constexpr int kMakerFontHeight = 10;
constexpr int kCloseGlyphCount = 1;

// The close glyph mapped to the strip colour, loaded once and kept for the
// whole run like the main window's glyphs.
HBITMAP CloseGlyph() {
  static const HBITMAP glyph = widgets::LoadMappedBitmap(widgets::ModuleInstance(), kCloseGlyph,
                                                         skin::kGlyphKeyGrey, skin::kStripColour);
  return glyph;
}

// A line across the window, as high as a label is by default, its text
// centred.
Control* CreateCentredLabel(Control* window, const char* text, int top) {
  Control* label = widgets::CreateLabel(
      window, {.text = text,
               .place = widgets::Place{kTextLeft, top, window->GetClientWidth() - kTextMargins,
                                       kLineHeight}});
  label->SetTextAlignment(widgets::kAlignCentre);
  return label;
}

// What the About window keeps of its own while it lives: its close button
// in the palette in force, with a glyph mapped for a contrast theme.
struct AboutState {
  skin::ThemedGlyph close;
};

void FreeState(void* context, Control*) { delete static_cast<AboutState*>(context); }

// The window and its lines on the surface, the button on the strip.
void ApplyTheme(void* context, Control* window) {
  auto& state = *static_cast<AboutState*>(context);
  const skin::Palette palette = skin::CurrentPalette();
  skin::SetColour(window, palette.surface);
  for (int i = 0; i < window->ChildCount(); ++i) {
    if (window->ChildAt(i) != state.close.button)
      skin::SetColour(window->ChildAt(i), palette.surface);
  }
  skin::PaintGlyphButton(state.close, palette.strip);
}

// Esc closes the window (on the window itself or on its button); F1 goes
// on as WM_HELP to the main window, which has the help.
void AboutKeyDown(void* context, Control*, WORD& key, unsigned) {
  if (key != VK_ESCAPE) return;
  static_cast<Control*>(context)->PostClose();
  key = 0;
}

}  // namespace

void ShowAboutWindow(Control* mainWindow) {
  widgets::Form* window = widgets::CreateForm(mainWindow, kAboutCaption);
  window->SetStyle(WS_POPUP | WS_VISIBLE | WS_BORDER);
  window->SetClientWidth(kClientWidth);
  window->SetClientHeight(kClientHeight);
  window->SetTop(mainWindow->GetTop() + widgets::Scale(kTopBelowMainWindow, mainWindow->Dpi()));
  window->SetLeft(mainWindow->GetLeft() + (mainWindow->GetWidth() - window->GetWidth()) / 2);
  window->SetPaintHandler(&PaintAboutCaption, nullptr);

  const int width = window->GetClientWidth();
  widgets::BitmapButton* close = widgets::CreateBitmapButton(
      window, {.caption = "",
               .options = widgets::ButtonOption::Flat | widgets::ButtonOption::NoCaption,
               .layout = widgets::GlyphLayout::Centre,
               .glyph = CloseGlyph(),
               .glyphCount = kCloseGlyphCount,
               .place = widgets::Place{width - kCloseButtonSize - kCloseButtonMargin,
                                       kCloseButtonMargin, kCloseButtonSize, kCloseButtonSize}});
  close->click = {&CloseAboutWindow, nullptr};
  close->SetAccessibleAction(kPressAction);
  close->SetColour(skin::kStripColour);
  close->SetHint(kCloseHint);  // both go when the window closes
  close->SetKeyDownHandler(&AboutKeyDown, window);
  window->SetKeyDownHandler(&AboutKeyDown, window);

  Control* title = widgets::CreateLabel(
      window, {.text = kTitle,
               .wordWrap = true,
               .place = widgets::Place{kTextLeft, kTitleTop, width - kTextMargins, kTitleHeight}});
  title->SetTextAlignment(widgets::kAlignCentre);
  title->SetFontStyle(widgets::kFontBold);

  Control* version = CreateCentredLabel(window, "", kVersionTop);
  version->SetText(std::string(kVersionPrefix) + VersionString());
  version->SetFontHeight(kVersionFontHeight);

  Control* maker = CreateCentredLabel(window, kMakerLine, kMakerTop);
  maker->SetFontHeight(kMakerFontHeight);

  auto* state = new AboutState{{close, kCloseGlyph, skin::kStripColour, CloseGlyph()}};
  window->AddDestroyNotification(&FreeState, state);
  window->themeChanged = {&ApplyTheme, state};
  ApplyTheme(state, window);  // opened under a contrast theme

  window->ShowAndActivate();
}

void PaintAboutCaption(void*, Control* sender, HDC dc) {
  skin::PaintStrip(dc, sender, kAboutCaption);
}

void CloseAboutWindow(void*, Control* sender) { sender->Parent()->PostClose(); }

}  // namespace about
