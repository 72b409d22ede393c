#include "commands/PasteOdds.h"

#include <string>
#include <string_view>

#include "commands/Messages.h"
#include "mainwindow/OddsRows.h"
#include "widgets/Support.h"

namespace commands {

namespace {

// Spreadsheets separate cells by tabs and end lines with CR LF.
constexpr char kValueDelimiters[] = "\r\t\n";

// A pasted value is cut at this length. No odds needs a fraction of it (the
// digit rule reads nothing past a few hundred digits), and an edit box given
// megabytes of one line can take minutes to lay it out, or fail.
constexpr std::size_t kMaxValueLength = 1024;
// A cut value ends in an ellipsis: the row shows that it was cut, and since
// the mark is no part of a number, "=" reports the row instead of reading a
// number that the cut may have made out of garbage.
constexpr char kCutMark[] = "…";
static_assert(sizeof kCutMark == 2, "one byte in Windows-1251");

std::string Clipped(std::string_view value) {
  if (value.size() <= kMaxValueLength) return std::string(value);
  std::string clipped(value.substr(0, kMaxValueLength - 1));
  clipped += kCutMark;
  return clipped;
}

}  // namespace

void PasteOdds(mainwindow::MainWindow& form) {
  form.clearAllButton->Click();

  const std::string text = widgets::ReadClipboardText();
  if (text.empty()) {
    form.resultStrip->SetText(kClipboardEmpty);
    return;
  }

  // The splitter cuts in one pass, so even a huge clipboard costs its length.
  widgets::TextSplitter values(text, kValueDelimiters);
  while (!values.Done() && form.rowCount < mainwindow::kMaxOddsRows) {
    const std::string_view value = values.Next();
    if (value.empty()) continue;
    // A blank first row takes the value; otherwise a new row does.
    if (form.rowCount != 1 || !widgets::Trim(form.oddsRows[0]->GetText()).empty()) {
      mainwindow::AddOddsRow(form);
    }
    form.oddsRows[form.rowCount - 1]->SetText(Clipped(value));
  }
  form.stakeBox->SetFocus(true);
}

}  // namespace commands
