// The checks of a bet as the user typed it: a pure function of the texts of
// the stake, system-size and "по" boxes and of the odds rows, so every case
// can be tested without a window.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace calc {

// The box a failure names; None for a payout that cannot be shown.
enum class BetField : std::uint8_t { None, OddsRow, SystemSize, Stake, ComboSize };

enum class BetFault : std::uint8_t {
  NotANumber,        // no number; for K also a negative one (only pasting brings a sign)
  ComboAboveSystem,  // K > N
  SystemTooLarge,    // C(N, K) beyond the exact count
  PayoutTooLarge,    // beyond the double range, or beyond what the result text shows
};

struct BetFailure {
  BetField field;
  int row;  // the odds row's index for OddsRow, else -1
  BetFault fault;
  bool operator==(const BetFailure&) const = default;
};

struct BetTexts {
  std::string_view stake;
  std::string_view systemSize;  // N
  std::string_view comboSize;   // K
  std::span<const std::string> oddsRows;
};

struct BetOutcome {
  // Every failing check, in the order the checks run (rows first to last,
  // then the stake, then K); the window shows the last one.
  std::vector<BetFailure> failures;
  // Without failures: the payout and its text, «2600,00».
  double payout = 0.0;
  std::string resultText;
};

BetOutcome CheckBet(const BetTexts& texts);

}  // namespace calc
