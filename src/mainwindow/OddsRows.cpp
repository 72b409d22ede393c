#include "mainwindow/OddsRows.h"

#include <string>

#include "calc/NumberText.h"
#include "mainwindow/BottomBand.h"
#include "skin/Skin.h"

namespace mainwindow {

using widgets::Control;

namespace {
// What a screen reader calls row n: «Коэффициент n».
constexpr char kOddsRowName[] = "Коэффициент ";
}  // namespace

void AddOddsRow(MainWindow& window, RowFocus focus) {
  const int n = ++window.rowCount;
  const int column = (n - 1) / kRowsPerColumn;
  const int line = (n - 1) % kRowsPerColumn + 1;

  const int top = kRowTopBase + kLinePitch * line;
  widgets::EditBox* row = widgets::CreateEditBox(
      window.form,
      {.place = widgets::Place{kRowLeft + kColumnPitch * column, top, kRowWidth, kRowHeight}});
  window.oddsRows[n - 1] = row;
  row->SetAccessibleName(std::string(kOddsRowName) + calc::IntegerToText(n));
  skin::ApplyFlatFrame(row);
  row->SetColour(skin::kFieldColour);
  if (column == 0) window.form->SetClientHeight(top + kHeightBelowRow);
  row->SetKeyDownHandler(window.entryKeyDown.fn, window.entryKeyDown.context);
  if (focus == RowFocus::Take) row->SetFocus(true);
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
  const int buttonTop = height - kButtonRowOffset;
  window.resultStrip->SetTop(height - kResultStripOffset);
  int right = window.form->GetClientWidth() - kBandMargin;
  int left = kBandMargin;
  for (const BottomButton& entry : kBottomButtons) {
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
