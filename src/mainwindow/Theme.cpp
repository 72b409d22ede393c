// The main window in the palette in force: the design's colours, or a
// contrast theme's system colours, with the glyphs mapped to what is
// behind them. Only what changes is touched, so the design's build stays as
// it always was.
#include "mainwindow/MainWindow.h"
#include "skin/Contrast.h"
#include "skin/Skin.h"

namespace mainwindow {

namespace {

using skin::SetColour;

void SetTextColour(widgets::Control* control, widgets::Colour colour) {
  if (control->GetTextColour() != colour) control->SetFontColour(colour);
}

}  // namespace

void ApplyTheme(MainWindow& window) {
  const skin::Palette palette = skin::CurrentPalette();
  SetColour(window.form, palette.surface);
  SetColour(window.wonCountBox, palette.surface);
  SetColour(window.comboLabel, palette.surface);
  SetColour(window.linkLabel, palette.surface);
  SetTextColour(window.linkLabel,
                window.linkLabel->MouseInside() ? palette.linkHover : palette.link);
  SetColour(window.resultStrip, palette.resultStrip);
  SetTextColour(window.resultStrip, palette.resultText);
  // The caption strip's buttons were made on the strip colour, the others
  // on the surface.
  for (skin::ThemedGlyph& entry : window.glyphButtons) {
    skin::PaintGlyphButton(
        entry, entry.designSurface == skin::kStripColour ? palette.strip : palette.bottomButtons);
  }
}

}  // namespace mainwindow
