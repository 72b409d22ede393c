#include "commands/Calculate.h"

#include <string>
#include <vector>

#include "base/FloatingPoint.h"
#include "calc/BetCheck.h"
#include "commands/Boxes.h"
#include "commands/Messages.h"
#include "mainwindow/OddsRows.h"

namespace commands {

namespace {

using calc::BetFault;
using calc::BetField;
using mainwindow::MainWindow;
using widgets::Control;

const char* MessageOf(const calc::BetFailure& failure) {
  switch (failure.fault) {
    case BetFault::NotANumber:
      switch (failure.field) {
        case BetField::OddsRow: return kOddsNotANumber;
        case BetField::Stake: return kStakeNotANumber;
        case BetField::ComboSize: return kComboSizeNotANumber;
        // N is read as a count and never fails so: the K box's message
        // stands for it and for no field.
        case BetField::SystemSize:
        case BetField::None: return kComboSizeNotANumber;
      }
      return kComboSizeNotANumber;
    case BetFault::ComboAboveSystem: return kComboSizeAboveSystemSize;
    case BetFault::SystemTooLarge: return kSystemTooLarge;
    case BetFault::PayoutTooLarge: return kPayoutTooLarge;
  }
  return kPayoutTooLarge;
}

widgets::EditBox* BoxOf(const MainWindow& window, const calc::BetFailure& failure) {
  switch (failure.field) {
    case BetField::OddsRow: return window.oddsRows[failure.row];
    case BetField::SystemSize: return window.systemSizeBox;
    case BetField::Stake: return window.stakeBox;
    case BetField::ComboSize: return window.comboSizeBox;
    case BetField::None: break;
  }
  return nullptr;
}

}  // namespace

void Calculate(MainWindow& window) {
  std::vector<std::string> rows;
  const auto boxes = mainwindow::OddsRows(window);
  rows.reserve(boxes.size());
  for (const widgets::EditBox* box : boxes) rows.push_back(box->GetText());
  const std::string stake = window.stakeBox->GetText();
  const std::string systemSize = window.systemSizeBox->GetText();
  const std::string comboSize = window.comboSizeBox->GetText();

  // A hook or an input method on this thread (reading the boxes runs them
  // too) may have changed the rounding or unmasked an exception: that would
  // cost a payout its last bit or turn an overflow check into a trap.
  base::LoadProgramFloatingPoint();
  const calc::BetOutcome outcome = calc::CheckBet({stake, systemSize, comboSize, rows});
  if (outcome.failures.empty()) {
    window.resultStrip->SetText(outcome.resultText);
    return;
  }
  // Each failure in turn, as the checks ran: the last one's message and
  // box stay.
  for (const calc::BetFailure& failure : outcome.failures) {
    window.resultStrip->SetText(MessageOf(failure));
    if (widgets::EditBox* box = BoxOf(window, failure)) FocusAndSelect(box);
  }
}

}  // namespace commands
