#include "mainwindow/CaptionStrip.h"

#include "commands/CalculatorForm.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/Skin.h"

namespace zemko {

namespace {

constexpr int kLogoX = 2;
constexpr int kLogoY = 23;

}  // namespace

void PaintCaptionStrip(void*, widgets::Control* sender, HDC dc) {
  zemcoms::PaintStrip(dc, sender->GetClientWidth(), kApplicationTitle);
  if (widgets::BitmapObject* logo = zemcoms::Form().logo.get())
    logo->DrawTransparent(dc, kLogoX, kLogoY, zemcoms::kGlyphKeyGrey);
}

void DragWindow(void*, widgets::Control* sender, widgets::MouseEvent&) {
  sender->StartWindowDrag();
}

}  // namespace zemko
