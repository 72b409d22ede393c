#include "mainwindow/OddsRows.h"

#include <algorithm>
#include <string>

#include "calc/NumberText.h"
#include "mainwindow/BottomBand.h"
#include "skin/Skin.h"

namespace mainwindow {

using widgets::Control;

widgets::EditBox* AddOddsRow(MainWindow& window, RowFocus focus) {
  if (window.rowCount >= kMaxOddsRows) return nullptr;
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
  if (focus == RowFocus::Take) row->TakeFocus();
  UpdateRowCounts(window);
  LayoutBottomBand(window);
  window.form->Invalidate();
  return row;
}

std::span<widgets::EditBox* const> OddsRows(const MainWindow& window) {
  return std::span(window.oddsRows).first(std::min<std::size_t>(window.rowCount, kMaxOddsRows));
}

void UpdateRowCounts(MainWindow& window) {
  window.systemSizeBox->SetText(calc::IntegerToText(window.rowCount));
  window.wonCountBox->SetText(calc::IntegerToText(window.rowCount));
  window.comboSizeBox->SetText(window.systemSizeBox->GetText());
}

int RowIndex(const MainWindow& window, const Control* box) {
  const auto rows = OddsRows(window);
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i] == box) return static_cast<int>(i);
  return -1;
}

void DestroyOddsRows(MainWindow& window) {
  for (widgets::EditBox*& row : window.oddsRows) {
    if (row) widgets::DestroyControl(row);
    row = nullptr;
  }
  window.rowCount = 0;
}

}  // namespace mainwindow
