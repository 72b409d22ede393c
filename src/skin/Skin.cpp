#include "skin/Skin.h"

namespace skin {

void PaintStrip(HDC dc, widgets::Control* window, const char* title) {
  const int dpi = window->Dpi();
  RECT client;
  GetClientRect(window->EnsureWindow(), &client);
  const int clientWidth = client.right;
  const int stripHeight = widgets::Scale(kStripHeight, dpi);
  const RECT strip{0, 0, clientWidth, stripHeight};
  if (HBRUSH brush = CreateSolidBrush(kStripColour)) {
    FillRect(dc, &strip, brush);
    DeleteObject(brush);
  }
  SetBkMode(dc, TRANSPARENT);
  const RECT line{0, stripHeight, clientWidth, stripHeight + widgets::Scale(kStripLineHeight, dpi)};
  FillRect(dc, &line, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  widgets::PaintText(dc, kTitleX, kTitleY, title, dpi);
}

}  // namespace skin
