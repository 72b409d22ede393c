#include "calc/BetCheck.h"

#include "base/Exception.h"
#include "calc/NumberText.h"
#include "calc/Payout.h"

namespace calc {

using base::ErrorKind;

BetOutcome CheckBet(const BetTexts& texts) {
  BetOutcome outcome;
  auto fail = [&outcome](BetField field, BetFault fault, int row = -1) {
    outcome.failures.push_back({field, row, fault});
  };

  // Every row is examined, also after a bad one; a text too long for the
  // double range fails like any other that is no number.
  std::vector<double> odds(texts.oddsRows.size(), 0.0);
  for (std::size_t i = 0; i < odds.size(); ++i) {
    try {
      odds[i] = TextToNumber(texts.oddsRows[i]);
    } catch (const base::Exception&) {
      fail(BetField::OddsRow, BetFault::NotANumber, static_cast<int>(i));
    }
  }

  // The integer reading cannot fail: it takes the leading digits.
  const std::int32_t systemSize = TextToInteger(texts.systemSize);

  double stake = 0.0;
  try {
    stake = TextToNumber(texts.stake);
  } catch (const base::Exception&) {
    fail(BetField::Stake, BetFault::NotANumber);
  }

  const std::int32_t comboSize = TextToInteger(texts.comboSize);
  if (comboSize < 0) fail(BetField::ComboSize, BetFault::NotANumber);
  if (comboSize > systemSize) fail(BetField::ComboSize, BetFault::ComboAboveSystem);

  if (!outcome.failures.empty()) return outcome;

  try {
    outcome.payout = SystemPayout(comboSize, odds, stake, systemSize);
    outcome.resultText = ResultText(outcome.payout);
  } catch (const base::Exception& e) {
    switch (e.Kind()) {
      case ErrorKind::SystemTooLarge: fail(BetField::SystemSize, BetFault::SystemTooLarge); break;
      case ErrorKind::FloatOverflow:
      case ErrorKind::PayoutTooLarge: fail(BetField::None, BetFault::PayoutTooLarge); break;
      default: throw;
    }
  }
  return outcome;
}

}  // namespace calc
