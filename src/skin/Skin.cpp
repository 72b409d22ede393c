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

void PaintStrip(HDC dc, widgets::Control* window, const char* title) {
  const int dpi = window->Dpi();
  RECT client;
  GetClientRect(window->EnsureWindow(), &client);
  const int clientWidth = client.right;
  const int stripHeight = widgets::Scale(kStripHeight, dpi);
  const Palette palette = CurrentPalette();
  Fill(dc, {0, 0, clientWidth, stripHeight}, palette.strip);
  SetBkMode(dc, TRANSPARENT);
  Fill(dc, {0, stripHeight, clientWidth, stripHeight + widgets::Scale(kStripLineHeight, dpi)},
       palette.stripLine);
  // The design's black is the context's own colour; a contrast theme's
  // button text is set.
  if (palette.stripText != kBlack) SetTextColor(dc, widgets::ResolveColour(palette.stripText));
  widgets::PaintText(dc, kTitleX, kTitleY, title, dpi);
}

}  // namespace skin
