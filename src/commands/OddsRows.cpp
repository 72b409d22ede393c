#include "commands/OddsRows.h"

#include <string>

#include "calc/NumberText.h"
#include "commands/CalculatorForm.h"
#include "commands/Messages.h"
#include "mainwindow/Skin.h"

namespace zemcoms {

namespace {

using widgets::Control;

// Index of the row the box is, or -1.
int RowIndex(const Control* box) {
  const CalculatorForm& form = Form();
  for (int i = 0; i < form.rowCount; ++i)
    if (form.oddsRows[i] == box) return i;
  return -1;
}

void FocusAndSelect(Control* box) {
  box->SetFocus(true);
  box->SelectAll();
}

// Rows are created one after another with nothing in between, so the
// control that takes the next tab order number is the next row.
void FocusNextInTabOrder(const Control* box) {
  Control* window = Form().mainWindow;
  for (int i = 0; i < window->ChildCount(); ++i) {
    Control* child = window->ChildAt(i);
    if (child->TabOrder() == box->TabOrder() + 1) {
      child->SetFocus(true);
      return;
    }
  }
}

}  // namespace

void AddOddsRow() {
  CalculatorForm& form = Form();
  const int n = ++form.rowCount;
  const int column = (n - 1) / kRowsPerColumn;
  const int line = (n - 1) % kRowsPerColumn + 1;

  Control* row = widgets::CreateEditBox(form.mainWindow, 0);
  form.oddsRows[n - 1] = row;
  ApplyFlatFrame(row);
  const int top = kRowTopBase + kLinePitch * line;
  row->SetTop(top);
  row->SetLeft(kRowLeft + kColumnPitch * column);
  row->SetWidth(kRowWidth);
  row->SetHeight(kRowHeight);
  row->SetColour(kFieldColour);
  if (column == 0) form.mainWindow->SetClientHeight(top + kHeightBelowRow);
  row->SetKeyDownHandler(&EntryKeyDown, nullptr);
  row->SetFocus(true);
  UpdateRowCounts();
  LayoutBottomBand();
  form.mainWindow->Invalidate();
}

void UpdateRowCounts() {
  CalculatorForm& form = Form();
  form.systemSizeBox->SetText(calc::IntegerToText(form.rowCount));
  form.wonCountBox->SetText(calc::IntegerToText(form.rowCount));
  form.comboSizeBox->SetText(form.systemSizeBox->GetText());
}

void LayoutBottomBand() {
  CalculatorForm& form = Form();
  const int height = form.mainWindow->GetClientHeight();
  const int width = form.mainWindow->GetClientWidth();
  const int buttonTop = height - kButtonRowOffset;
  const int calculateWidth = form.calculateButton->GetWidth();
  const int clearWidth = form.clearAllButton->GetWidth();
  const int pasteWidth = form.pasteButton->GetWidth();

  form.resultStrip->SetTop(height - kResultStripOffset);
  form.calculateButton->SetTop(buttonTop);
  form.calculateButton->SetLeft(width - kBandMargin - calculateWidth);
  form.clearAllButton->SetTop(buttonTop);
  form.clearAllButton->SetLeft(width - 2 * kBandMargin - calculateWidth - clearWidth);
  form.pasteButton->SetTop(buttonTop);
  form.pasteButton->SetLeft(width - 3 * kBandMargin - calculateWidth - clearWidth - pasteWidth);
  form.helpButton->SetTop(buttonTop);
  form.helpButton->SetLeft(kBandMargin);
}

void EntryKeyDown(void*, Control* sender, WORD& key, unsigned shift) {
  CalculatorForm& form = Form();
  const int row = RowIndex(sender);
  const bool isRow = row >= 0;
  const bool isEntry = isRow || sender == form.stakeBox || sender == form.systemSizeBox ||
                       sender == form.comboSizeBox;
  const bool plainEnter = key == VK_RETURN && shift == 0;

  // The keys that run a command are eaten, so their character ("-", "+")
  // is not typed over the selected stake or into the row left behind.
  if (isEntry && key == VK_SUBTRACT) {
    form.clearAllButton->Click();
    key = 0;
  } else if (sender == form.systemSizeBox && plainEnter) {
    FocusAndSelect(form.comboSizeBox);
  } else if (sender == form.stakeBox && plainEnter) {
    form.oddsRows[0]->SetFocus(true);
  } else if (sender == form.comboSizeBox && plainEnter) {
    form.calculateButton->Click();
  } else if (isRow && form.rowCount < kMaxOddsRows && plainEnter) {
    if (row == form.rowCount - 1) {
      AddOddsRow();
    } else {
      FocusNextInTabOrder(sender);
    }
  } else if (isRow && ((key == VK_RETURN && ((shift & widgets::kCtrlKey) ||
                                             form.rowCount == kMaxOddsRows)) ||
                       key == VK_ADD)) {
    FocusAndSelect(form.systemSizeBox);
    if (key == VK_ADD) key = 0;
  }
}

void ClearAll() {
  CalculatorForm& form = Form();
  for (int i = 0; i < form.rowCount; ++i) {
    widgets::DestroyControl(form.oddsRows[i]);
    form.oddsRows[i] = nullptr;
  }
  form.rowCount = 0;
  form.resultStrip->SetText(kResultPlaceholder);
  AddOddsRow();
  FocusAndSelect(form.stakeBox);
}

}  // namespace zemcoms
