#include "skin/Skin.h"

#include "skin/Contrast.h"

namespace skin {

namespace {

void Fill(HDC dc, const RECT& rect, widgets::Colour colour) {
  if (HBRUSH brush = CreateSolidBrush(widgets::ResolveColour(colour))) {
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
  }
}

}  // namespace

void PaintStrip(HDC dc, int clientWidth, const char* title) {
  const Palette palette = CurrentPalette();
  Fill(dc, {0, 0, clientWidth, kStripHeight}, palette.strip);
  SetBkMode(dc, TRANSPARENT);
  Fill(dc, {0, kStripHeight, clientWidth, kStripHeight + kStripLineHeight}, palette.stripLine);
  // The design's black is the context's own colour; a contrast theme's
  // button text is set.
  if (palette.stripText != kBlack) SetTextColor(dc, widgets::ResolveColour(palette.stripText));
  widgets::PaintText(dc, kTitleX, kTitleY, title);
}

}  // namespace skin
