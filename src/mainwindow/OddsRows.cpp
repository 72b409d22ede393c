#include "mainwindow/OddsRows.h"

#include "calc/NumberText.h"
#include "skin/Skin.h"

namespace mainwindow {

using widgets::Control;

void AddOddsRow(MainWindow& window) {
  const int n = ++window.rowCount;
  const int column = (n - 1) / kRowsPerColumn;
  const int line = (n - 1) % kRowsPerColumn + 1;

  widgets::EditBox* row = widgets::CreateEditBox(window.form);
  window.oddsRows[n - 1] = row;
  skin::ApplyFlatFrame(row);
  const int top = kRowTopBase + kLinePitch * line;
  row->SetTop(top);
  row->SetLeft(kRowLeft + kColumnPitch * column);
  row->SetWidth(kRowWidth);
  row->SetHeight(kRowHeight);
  row->SetColour(skin::kFieldColour);
  if (column == 0) window.form->SetClientHeight(top + kHeightBelowRow);
  row->SetKeyDownHandler(window.entryKeyDown.fn, window.entryKeyDown.context);
  row->SetFocus(true);
  UpdateRowCounts(window);
  LayoutBottomBand(window);
  window.form->Invalidate();
}

void UpdateRowCounts(MainWindow& window) {
  window.systemSizeBox->SetText(calc::IntegerToText(window.rowCount));
  window.wonCountBox->SetText(calc::IntegerToText(window.rowCount));
  window.comboSizeBox->SetText(window.systemSizeBox->GetText());
}

void LayoutBottomBand(MainWindow& window) {
  const int height = window.form->GetClientHeight();
  const int width = window.form->GetClientWidth();
  const int buttonTop = height - kButtonRowOffset;
  const int calculateWidth = window.calculateButton->GetWidth();
  const int clearWidth = window.clearAllButton->GetWidth();
  const int pasteWidth = window.pasteButton->GetWidth();

  window.resultStrip->SetTop(height - kResultStripOffset);
  window.calculateButton->SetTop(buttonTop);
  window.calculateButton->SetLeft(width - kBandMargin - calculateWidth);
  window.clearAllButton->SetTop(buttonTop);
  window.clearAllButton->SetLeft(width - 2 * kBandMargin - calculateWidth - clearWidth);
  window.pasteButton->SetTop(buttonTop);
  window.pasteButton->SetLeft(width - 3 * kBandMargin - calculateWidth - clearWidth - pasteWidth);
  window.helpButton->SetTop(buttonTop);
  window.helpButton->SetLeft(kBandMargin);
}

int RowIndex(const MainWindow& window, const Control* box) {
  for (int i = 0; i < window.rowCount; ++i)
    if (window.oddsRows[i] == box) return i;
  return -1;
}

void DestroyOddsRows(MainWindow& window) {
  for (int i = 0; i < window.rowCount; ++i) {
    widgets::DestroyControl(window.oddsRows[i]);
    window.oddsRows[i] = nullptr;
  }
  window.rowCount = 0;
}

}  // namespace mainwindow
