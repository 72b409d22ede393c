#include "skin/Contrast.h"

#include "skin/Skin.h"

namespace skin {

namespace {

ContrastAnswer answerInstead = nullptr;

constexpr widgets::Colour System(int index) { return widgets::kSystemColour | index; }

}  // namespace

bool ContrastThemeOn() {
  if (answerInstead) return answerInstead();
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  // A system that cannot say has no contrast theme on.
  if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0)) return false;
  return (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void AnswerContrastWith(ContrastAnswer answer) { answerInstead = answer; }

Palette DesignPalette() {
  return {.surface = kSurfaceColour,
          .strip = kStripColour,
          .stripText = kBlack,
          .stripLine = kBlack,
          .resultStrip = kResultStripColour,
          .resultText = widgets::kWindowTextColour,
          .bottomButtons = kSurfaceColour,
          .link = kLinkColour,
          .linkHover = kLinkHoverColour};
}

Palette CurrentPalette() {
  if (!ContrastThemeOn()) return DesignPalette();
  return {.surface = widgets::kWindowColour,
          .strip = widgets::kButtonFaceColour,
          .stripText = System(COLOR_BTNTEXT),
          .stripLine = System(COLOR_BTNTEXT),
          .resultStrip = System(COLOR_HIGHLIGHT),
          .resultText = System(COLOR_HIGHLIGHTTEXT),
          .bottomButtons = widgets::kButtonFaceColour,
          .link = System(COLOR_HOTLIGHT),
          .linkHover = System(COLOR_HOTLIGHT)};
}

void SetColour(widgets::Control* control, widgets::Colour colour) {
  if (control->GetColour() != colour) control->SetColour(colour);
}

void PaintGlyphButton(ThemedGlyph& entry, widgets::Colour surface) {
  SetColour(entry.button, surface);
  if (surface == entry.designSurface) {
    if (!entry.contrast) return;
    entry.button->SetGlyph(entry.design);
    entry.contrast.reset();
    return;
  }
  const COLORREF now = widgets::ResolveColour(surface);
  if (entry.contrast && entry.contrastSurface == now) return;
  const HBITMAP mapped = widgets::LoadMappedBitmap(widgets::ModuleInstance(), entry.glyph,
                                                   kGlyphKeyGrey, surface);
  if (!mapped) return;  // the picture it has stays
  entry.button->SetGlyph(mapped);
  entry.contrast.reset(mapped);
  entry.contrastSurface = now;
}

}  // namespace skin
