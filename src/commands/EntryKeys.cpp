#include "commands/EntryKeys.h"

#include "commands/Boxes.h"
#include "mainwindow/OddsRows.h"
#include "rules/Keys.h"

namespace commands {

namespace {

using mainwindow::MainWindow;
using widgets::Control;

// Rows are created one after another with nothing in between, so the
// control that takes the next tab order number is the next row.
void FocusNextInTabOrder(const MainWindow& window, const Control* box) {
  for (int i = 0; i < window.form->ChildCount(); ++i) {
    Control* child = window.form->ChildAt(i);
    if (child->TabOrder() == box->TabOrder() + 1) {
      child->TakeFocus();
      return;
    }
  }
}

}  // namespace

void EntryKeyDown(void* context, Control* sender, WORD& key, unsigned shift) {
  MainWindow& window = *static_cast<MainWindow*>(context);
  const int row = mainwindow::RowIndex(window, sender);
  rules::Box box;
  if (row >= 0) {
    box = rules::Box::OddsRow;
  } else if (sender == window.stakeBox) {
    box = rules::Box::Stake;
  } else if (sender == window.systemSizeBox) {
    box = rules::Box::SystemSize;
  } else if (sender == window.comboSizeBox) {
    box = rules::Box::ComboSize;
  } else {
    return;
  }
  const rules::KeyDecision decision = rules::DecideKey(box, key, shift, window.rowCount,
                                                       row == window.rowCount - 1);
  if (decision.eatsCharacter) key = 0;
  switch (decision.action) {
    case rules::KeyAction::Nothing: break;
    // Clicked, not called: the key runs the command as the user's click
    // would, through the same synchronous road.
    case rules::KeyAction::ClearAll: window.clearAllButton->Click(); break;
    case rules::KeyAction::FocusComboSize: FocusAndSelect(window.comboSizeBox); break;
    case rules::KeyAction::FocusFirstRow: window.oddsRows[0]->TakeFocus(); break;
    // Clicked, not called, like the clear-all above.
    case rules::KeyAction::Calculate: window.calculateButton->Click(); break;
    case rules::KeyAction::AddRow: mainwindow::AddOddsRow(window); break;
    case rules::KeyAction::FocusNextRow: FocusNextInTabOrder(window, sender); break;
    case rules::KeyAction::FocusSystemSize: FocusAndSelect(window.systemSizeBox); break;
  }
}

}  // namespace commands
