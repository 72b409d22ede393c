#include "commands/PasteOdds.h"

#include <string>
#include <vector>

#include "commands/Messages.h"
#include "mainwindow/OddsRows.h"
#include "rules/Paste.h"
#include "win/Clipboard.h"

namespace commands {

void PasteOdds(mainwindow::MainWindow& window) {
  window.clearAllButton->Click();

  const std::string text = win::ReadClipboardText();
  if (text.empty()) {
    window.resultStrip->SetText(kClipboardEmpty);
    return;
  }
  // Row 1 is there after the clear-all; each further value makes a row.
  const std::vector<std::string> rows = rules::PlanPaste(text);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (i > 0) mainwindow::AddOddsRow(window);
    window.oddsRows[i]->SetText(rows[i]);
  }
  window.stakeBox->SetFocus(true);
}

}  // namespace commands
