#include "commands/PasteOdds.h"

#include <optional>
#include <string>
#include <vector>

#include "commands/Messages.h"
#include "mainwindow/OddsRows.h"
#include "win/Clipboard.h"

namespace commands {

namespace {

// Marks the paste under way for as long as it runs.
class PasteUnderWay {
 public:
  explicit PasteUnderWay(bool& flag) : flag_(flag) { flag_ = true; }
  ~PasteUnderWay() { flag_ = false; }
  PasteUnderWay(const PasteUnderWay&) = delete;
  PasteUnderWay& operator=(const PasteUnderWay&) = delete;

 private:
  bool& flag_;
};

}  // namespace

void PasteOdds(mainwindow::MainWindow& window) {
  // While the clipboard's owner renders the text, the messages other
  // programs send are delivered: a paste click among them would open the
  // clipboard a second time and close it under this one.
  if (window.pasteUnderWay) return;
  const PasteUnderWay underWay(window.pasteUnderWay);

  // Clicked, not called: the clear-all runs as the user's click would,
  // through the same synchronous road.
  window.clearAllButton->Click();
  const std::optional<std::vector<std::string>> values = win::ReadPastedValues();
  if (!values) {
    window.resultStrip->SetText(kClipboardEmpty);
    return;
  }
  // Keys sent during the read (Enter in the last row) may have added rows:
  // the values go into cleared rows all the same. Clicked, as above.
  if (window.rowCount != 1) window.clearAllButton->Click();
  // Row 1 is there after the clear-all; each further value makes a row,
  // up to the limit the rows keep themselves.
  for (std::size_t i = 0; i < values->size(); ++i) {
    widgets::EditBox* row = i == 0 ? window.oddsRows[0] : mainwindow::AddOddsRow(window);
    if (!row) break;
    row->SetText((*values)[i]);
  }
  window.stakeBox->TakeFocus();
}

}  // namespace commands
