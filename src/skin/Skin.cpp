#include "skin/Skin.h"

namespace skin {

void PaintStrip(HDC dc, int clientWidth, const char* title) {
  const RECT strip{0, 0, clientWidth, kStripHeight};
  if (HBRUSH brush = CreateSolidBrush(kStripColour)) {
    FillRect(dc, &strip, brush);
    DeleteObject(brush);
  }
  SetBkMode(dc, TRANSPARENT);
  const RECT line{0, kStripHeight, clientWidth, kStripHeight + kStripLineHeight};
  FillRect(dc, &line, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  widgets::PaintText(dc, kTitleX, kTitleY, title);
}

}  // namespace skin
