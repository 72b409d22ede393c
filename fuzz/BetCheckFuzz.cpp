// Fuzz target for the bet check: the stake, N, K and the rows are lines of
// the input. Against a model built from the conversions and the literal
// walk of the payout's definition: the same failures in the same order, or
// the same payout to the last bit and its text.
#include <algorithm>
#include <bit>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzTarget.h"
#include "base/Exception.h"
#include "calc/BetCheck.h"
#include "calc/LiteralWalk.h"
#include "calc/NumberText.h"
#include "calc/Payout.h"

namespace {

using calc::BetFailure;
using calc::BetFault;
using calc::BetField;

constexpr std::size_t kMaxRows = 20;
// The result text shows payouts below 2^63.
constexpr double kLargestShown = 9223372036854775808.0;

bool IsNumber(std::string_view text, double& value) {
  try {
    value = calc::TextToNumber(text);
    return true;
  } catch (const base::Exception&) {
    return false;
  }
}

}  // namespace

ZEMKO_FUZZ_TARGET(BetCheckFuzz) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\n') {
      lines.emplace_back();
    } else {
      lines.back() += static_cast<char>(data[i]);
    }
  }
  lines.resize(std::max<std::size_t>(lines.size(), 4));
  if (lines.size() > 3 + kMaxRows) lines.resize(3 + kMaxRows);
  const std::vector<std::string> rows(lines.begin() + 3, lines.end());
  const calc::BetOutcome outcome = calc::CheckBet({lines[0], lines[1], lines[2], rows});

  // The model: every check on its own, in the order the window shows them.
  std::vector<BetFailure> failures;
  std::vector<double> odds(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (!IsNumber(rows[i], odds[i]))
      failures.push_back({BetField::OddsRow, static_cast<int>(i), BetFault::NotANumber});
  }
  double stake = 0;
  if (!IsNumber(lines[0], stake)) failures.push_back({BetField::Stake, -1, BetFault::NotANumber});
  const std::int32_t n = calc::TextToInteger(lines[1]);
  const std::int32_t k = calc::TextToInteger(lines[2]);
  if (k < 0) failures.push_back({BetField::ComboSize, -1, BetFault::NotANumber});
  if (k > n) failures.push_back({BetField::ComboSize, -1, BetFault::ComboAboveSystem});
  if (failures.empty()) {
    try {
      // More events in a combination than rows: no combination at all.
      const std::int32_t events = n != 0 ? n : static_cast<std::int32_t>(odds.size());
      calc::CombinationCount(events, k);
      const double payout = k > static_cast<std::int32_t>(odds.size())
                                ? 0.0
                                : calc_test::LiteralPayout(k, odds, stake, n);
      if (!std::isfinite(payout) || payout >= kLargestShown) {
        failures.push_back({BetField::None, -1, BetFault::PayoutTooLarge});
      } else {
        ZEMKO_FUZZ_CHECK(outcome.failures.empty());
        ZEMKO_FUZZ_CHECK(std::bit_cast<std::uint64_t>(outcome.payout) ==
                         std::bit_cast<std::uint64_t>(payout));
        ZEMKO_FUZZ_CHECK(outcome.resultText == calc::ResultText(payout));
      }
    } catch (const base::Exception& e) {
      ZEMKO_FUZZ_CHECK(e.Kind() == base::ErrorKind::SystemTooLarge);
      failures.push_back({BetField::SystemSize, -1, BetFault::SystemTooLarge});
    }
  }
  ZEMKO_FUZZ_CHECK(outcome.failures == failures);
  return 0;
}
