#include "commands/RowCommands.h"

#include "mainwindow/OddsRows.h"

namespace commands {

namespace {

using mainwindow::MainWindow;
using widgets::Control;

void FocusAndSelect(widgets::EditBox* box) {
  box->SetFocus(true);
  box->SelectAll();
}

// Rows are created one after another with nothing in between, so the
// control that takes the next tab order number is the next row.
void FocusNextInTabOrder(const MainWindow& window, const Control* box) {
  for (int i = 0; i < window.form->ChildCount(); ++i) {
    Control* child = window.form->ChildAt(i);
    if (child->TabOrder() == box->TabOrder() + 1) {
      child->SetFocus(true);
      return;
    }
  }
}

}  // namespace

void EntryKeyDown(void* context, Control* sender, WORD& key, unsigned shift) {
  MainWindow& window = *static_cast<MainWindow*>(context);
  const int row = mainwindow::RowIndex(window, sender);
  const bool isRow = row >= 0;
  const bool isEntry = isRow || sender == window.stakeBox || sender == window.systemSizeBox ||
                       sender == window.comboSizeBox;
  const bool plainEnter = key == VK_RETURN && shift == 0;

  // The keys that run a command are eaten, so their character ("-", "+")
  // is not typed over the selected stake or into the row left behind.
  if (isEntry && key == VK_SUBTRACT) {
    window.clearAllButton->Click();
    key = 0;
  } else if (sender == window.systemSizeBox && plainEnter) {
    FocusAndSelect(window.comboSizeBox);
  } else if (sender == window.stakeBox && plainEnter) {
    window.oddsRows[0]->SetFocus(true);
  } else if (sender == window.comboSizeBox && plainEnter) {
    window.calculateButton->Click();
  } else if (isRow && window.rowCount < mainwindow::kMaxOddsRows && plainEnter) {
    if (row == window.rowCount - 1) {
      mainwindow::AddOddsRow(window);
    } else {
      FocusNextInTabOrder(window, sender);
    }
  } else if (isRow && ((key == VK_RETURN && ((shift & widgets::kCtrlKey) ||
                                             window.rowCount == mainwindow::kMaxOddsRows)) ||
                       key == VK_ADD)) {
    FocusAndSelect(window.systemSizeBox);
    if (key == VK_ADD) key = 0;
  }
}

void ClearAll(MainWindow& window) {
  mainwindow::DestroyOddsRows(window);
  window.resultStrip->SetText(mainwindow::kResultPlaceholder);
  mainwindow::AddOddsRow(window);
  FocusAndSelect(window.stakeBox);
}

}  // namespace commands
