#include "about/About.h"
#include "ZemResConst.h"
#include "skin/Skin.h"
#include "widgets/Hints.h"

namespace about {

namespace {

using widgets::Control;

constexpr char kAboutCaption[] = "О программе";
constexpr char kCloseHint[] = "Закрыть окно";
constexpr char kTitle[] = "Букмекерский калькулятор";
constexpr char kVersionPrefix[] = "Версия : ";
constexpr char kMakerLine[] = "© Vadrex";

constexpr int kClientWidth = 150;
constexpr int kClientHeight = 120;
constexpr int kTopBelowMainWindow = 30;
constexpr int kCloseButtonSize = 16;
constexpr int kCloseButtonMargin = 2;
constexpr int kTextLeft = 10;
constexpr int kTextMargins = 20;
constexpr int kTitleTop = 35;
constexpr int kTitleHeight = 35;
constexpr int kVersionTop = 70;
constexpr int kVersionFontHeight = 12;
constexpr int kMakerTop = 90;
constexpr int kMakerFontHeight = 10;
constexpr int kCloseGlyphCount = 1;

// The close glyph mapped to the strip colour, loaded once and kept for the
// whole run like the main window's glyphs.
HBITMAP CloseGlyph() {
  static const HBITMAP glyph = widgets::LoadMappedBitmap(
      widgets::ModuleInstance(), kCloseGlyph, skin::kGlyphKeyGrey, skin::kStripColour);
  return glyph;
}

Control* CreateCentredLabel(Control* window, const char* text, int top) {
  Control* label = widgets::CreateLabel(window, text);
  label->SetLeft(kTextLeft);
  label->SetTop(top);
  label->SetWidth(window->GetClientWidth() - kTextMargins);
  return label;
}

}  // namespace

void ShowAboutWindow(Control* mainWindow) {
  widgets::Form* window = widgets::CreateForm(mainWindow, kAboutCaption);
  window->SetStyle(WS_POPUP | WS_VISIBLE | WS_BORDER);
  window->SetClientWidth(kClientWidth);
  window->SetClientHeight(kClientHeight);
  window->SetTop(mainWindow->GetTop() + kTopBelowMainWindow);
  window->SetLeft(mainWindow->GetLeft() + (mainWindow->GetWidth() - window->GetWidth()) / 2);
  window->SetPaintHandler(&PaintAboutCaption, nullptr);

  Control* close = widgets::CreateBitmapButton(
      window, {.caption = "",
               .options = widgets::ButtonOption::Flat | widgets::ButtonOption::NoCaption,
               .layout = widgets::GlyphLayout::Centre,
               .glyph = CloseGlyph(),
               .glyphCount = kCloseGlyphCount});
  close->SetTop(kCloseButtonMargin);
  close->SetHeight(kCloseButtonSize);
  close->SetWidth(kCloseButtonSize);
  close->SetLeft(window->GetClientWidth() - close->GetWidth() - kCloseButtonMargin);
  close->click = {&CloseAboutWindow, nullptr};
  close->SetColour(skin::kStripColour);
  // The button owns its hint: both go when the window closes.
  widgets::Hint* hint = widgets::CreateHint();
  widgets::AttachHint(hint, close);
  widgets::SetHintText(hint, kCloseHint);

  Control* title = widgets::CreateWordWrapLabel(window, kTitle);
  title->SetLeft(kTextLeft);
  title->SetTop(kTitleTop);
  title->SetWidth(window->GetClientWidth() - kTextMargins);
  title->SetHeight(kTitleHeight);
  title->SetTextAlignment(widgets::kAlignCentre);
  title->SetFontStyle(widgets::kFontBold);

  Control* version = CreateCentredLabel(window, "", kVersionTop);
  version->SetText(std::string(kVersionPrefix) + VersionString());
  version->SetFontHeight(kVersionFontHeight);
  version->SetTextAlignment(widgets::kAlignCentre);

  Control* maker = CreateCentredLabel(window, kMakerLine, kMakerTop);
  maker->SetFontHeight(kMakerFontHeight);
  maker->SetTextAlignment(widgets::kAlignCentre);

  window->ShowAndActivate();
}

void PaintAboutCaption(void*, Control* sender, HDC dc) {
  skin::PaintStrip(dc, sender->GetClientWidth(), kAboutCaption);
}

void CloseAboutWindow(void*, Control* sender) { sender->Parent()->PostClose(); }

}  // namespace about
