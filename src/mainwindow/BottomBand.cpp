#include "mainwindow/BottomBand.h"

namespace mainwindow {

void LayoutBottomBand(MainWindow& window) {
  const int height = window.form->GetClientHeight();
  const int buttonTop = height - kButtonRowOffset;
  window.resultStrip->SetTop(height - kResultStripOffset);
  int right = window.form->GetClientWidth() - kBandMargin;
  int left = kBandMargin;
  for (const BottomButton& entry : window.bottomButtons) {
    widgets::Control* button = window.*entry.field;
    button->SetTop(buttonTop);
    if (entry.end == BandEnd::Right) {
      right -= button->GetWidth();
      button->SetLeft(right);
      right -= kBandMargin;
    } else {
      button->SetLeft(left);
      left += button->GetWidth() + kBandMargin;
    }
  }
}

}  // namespace mainwindow
