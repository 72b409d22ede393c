#include "mainwindow/CaptionStrip.h"

#include "mainwindow/MainWindow.h"
#include "skin/Skin.h"

namespace mainwindow {

namespace {

constexpr int kLogoX = 2;
constexpr int kLogoY = 23;

}  // namespace

void PaintCaptionStrip(void* context, widgets::Control* sender, HDC dc) {
  const MainWindow& window = *static_cast<const MainWindow*>(context);
  skin::PaintStrip(dc, sender, kApplicationTitle);
  if (widgets::BitmapObject* logo = window.logo.get())
    logo->DrawTransparent(dc, kLogoX, kLogoY, skin::kGlyphKeyGrey, sender->Dpi());
}

void DragWindow(void*, widgets::Control* sender, widgets::MouseEvent&) {
  sender->StartWindowDrag();
}

}  // namespace mainwindow
