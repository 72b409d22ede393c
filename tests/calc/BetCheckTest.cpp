// The checks of a bet as typed, one row a case: the payout text of an
// accepted bet, or every failing check in the order the checks run.
#include "calc/BetCheck.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "calc/NumberText.h"
#include "calc/Payout.h"

namespace {

using calc::BetFailure;
using calc::BetFault;
using calc::BetField;

constexpr BetFailure Row(int index) { return {BetField::OddsRow, index, BetFault::NotANumber}; }
constexpr BetFailure kBadStake{BetField::Stake, -1, BetFault::NotANumber};
constexpr BetFailure kNegativeCombo{BetField::ComboSize, -1, BetFault::NotANumber};
constexpr BetFailure kComboAboveSystem{BetField::ComboSize, -1, BetFault::ComboAboveSystem};
constexpr BetFailure kSystemTooLarge{BetField::SystemSize, -1, BetFault::SystemTooLarge};
constexpr BetFailure kPayoutTooLarge{BetField::None, -1, BetFault::PayoutTooLarge};

const std::string kTenToThe200 = "1" + std::string(200, '0');
const std::string kTenToThe400 = "1" + std::string(400, '0');

struct BetCase {
  const char* name;
  std::string stake;
  std::vector<std::string> rows;
  std::string systemSize;
  std::string comboSize;
  std::string result;                // the strip's number, when accepted
  std::vector<BetFailure> failures;  // else every failing check
};
void PrintTo(const BetCase& c, std::ostream* out) { *out << c.name; }

const BetCase kCases[] = {
    // Accepted bets.
    {"TheExampleBet", "300", {"2", "3", "4"}, "3", "2", "2600,00", {}},
    {"CommaSeparator", "100", {"1,5", "2"}, "2", "2", "300,00", {}},
    {"PointSeparator", "100.0", {"1.5", "2,00"}, "2", "2", "300,00", {}},
    {"EmptyPoIsTheAccumulator", "10", {"2", "3", "1,5"}, "3", "", "90,00", {}},
    {"AccumulatorWithoutSystemSize", "10", {"2", "3", "1,5"}, "", "", "90,00", {}},
    {"AccumulatorWithAnySystemSize", "10", {"2", "3", "1,5"}, "7", "0", "90,00", {}},
    {"FewerRowsThanThePoPayNothing", "300", {"2", "3"}, "5", "3", "0,00", {}},
    {"MoreRowsThanTheSystemAreTaken", "300", {"2", "3", "4", "5"}, "3", "2", "7100,00", {}},
    {"CountBoxesReadLeadingDigits", "300", {"2", "3", "4"}, "3x", "2 ", "2600,00", {}},
    {"LettersInThePoReadAsZero", "300", {"2", "3", "4"}, "3", "abc", "7200,00", {}},
    {"ALargeSystem", "300", {"2", "3", "4"}, "99", "2", "1,61", {}},
    {"CountJustBelowTwoToThe64", "1", {"2", "3", "4"}, "67", "33", "0,00", {}},
    {"PayoutJustBelowTwoToThe63",
     "1",
     {"9223372036854774784", "1"},
     "2",
     "2",
     "9223372036854774784,00",
     {}},
    // Refused bets.
    {"EmptyRowThenEmptyStake", "", {""}, "1", "1", "", {Row(0), kBadStake}},
    {"LettersInRowsTwoAndFour",
     "100",
     {"2", "x", "3", "1,5,", "4"},
     "5",
     "2",
     "",
     {Row(1), Row(3)}},
    {"ASignedRow", "100", {"2", "+3"}, "2", "2", "", {Row(1)}},
    {"BadRowAndBadStake", "1e3", {"abc", "3"}, "2", "2", "", {Row(0), kBadStake}},
    {"BadRowAndComboAboveSystem", "100", {"abc", "3"}, "1", "2", "", {Row(0), kComboAboveSystem}},
    {"EmptySystemSizeWithAPo", "100", {"2", "3"}, "", "1", "", {kComboAboveSystem}},
    {"EverythingWrong",
     "-5",
     {"?", "3", "!"},
     "2",
     "3",
     "",
     {Row(0), Row(2), kBadStake, kComboAboveSystem}},
    {"ANegativePo", "100", {"2", "3"}, "2", "-1", "", {kNegativeCombo}},
    {"ANegativeSystemWithAnEmptyPo", "10", {"2", "3"}, "-1", "", "", {kComboAboveSystem}},
    {"ANegativePoAfterABadStake", "", {"2", "3"}, "2", "-2", "", {kBadStake, kNegativeCombo}},
    {"ANegativePoBelowANegativeSystem",
     "100",
     {"2", "3"},
     "-5",
     "-1",
     "",
     {kNegativeCombo, kComboAboveSystem}},
    {"AStakeWithTwoSeparators", "1,000.50", {"2", "3"}, "2", "2", "", {kBadStake}},
    {"AStakeBeyondTheDoubleRange", kTenToThe400, {"2"}, "1", "1", "", {kBadStake}},
    {"ARowBeyondTheDoubleRange", "1", {"2", kTenToThe400}, "2", "2", "", {Row(1)}},
    {"TooManyCombinations", "300", {"2", "3", "4"}, "2000000000", "1000", "", {kSystemTooLarge}},
    {"CountJustAboveTwoToThe64", "1", {"2", "3", "4"}, "68", "34", "", {kSystemTooLarge}},
    {"TheEngineWaitsForTheOtherChecks",
     "abc",
     {"2", "3", "4"},
     "2000000000",
     "1000",
     "",
     {kBadStake}},
    {"AProductBeyondTheDoubleRange",
     "1",
     {kTenToThe200, kTenToThe200},
     "2",
     "2",
     "",
     {kPayoutTooLarge}},
    {"AnAccumulatorBeyondTheDoubleRange",
     "1",
     {kTenToThe200, kTenToThe200},
     "2",
     "",
     "",
     {kPayoutTooLarge}},
    {"APayoutOfTwoToThe63", "1", {"9223372036854775808", "1"}, "2", "2", "", {kPayoutTooLarge}},
};

class BetCheckTest : public ::testing::TestWithParam<BetCase> {};

TEST_P(BetCheckTest, GivesThePayoutOrEveryFailingCheck) {
  const BetCase& c = GetParam();
  const calc::BetOutcome outcome = calc::CheckBet({c.stake, c.systemSize, c.comboSize, c.rows});
  EXPECT_EQ(outcome.failures, c.failures);
  if (c.failures.empty()) {
    EXPECT_EQ(outcome.resultText, c.result);
  }
}

INSTANTIATE_TEST_SUITE_P(Bets, BetCheckTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Random accepted bets: the text is the engine's payout of the converted
// boxes, whichever separator each number uses.
TEST(BetCheck, AcceptedBetsShowTheEnginesPayout) {
  std::mt19937 random(20240611);
  auto pick = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  auto decimal = [&](int whole, int hundredths) {
    std::string text = std::to_string(whole);
    if (hundredths >= 0) {
      text += pick(0, 1) ? ',' : '.';
      text += static_cast<char>('0' + hundredths / 10);
      text += static_cast<char>('0' + hundredths % 10);
    }
    return text;
  };
  for (int bet = 0; bet < 200; ++bet) {
    std::vector<std::string> rows(static_cast<std::size_t>(pick(1, 9)));
    for (std::string& row : rows) row = decimal(pick(1, 12), pick(-1, 99));
    const std::string stake = decimal(pick(0, 50000), pick(-1, 99));
    const int n = pick(0, 12);
    const int k = pick(0, n);
    std::vector<double> odds;
    for (const std::string& row : rows) odds.push_back(calc::TextToNumber(row));
    const double payout = calc::SystemPayout(k, odds, calc::TextToNumber(stake), n);

    const calc::BetOutcome outcome = calc::CheckBet(
        {stake, std::to_string(n), std::to_string(k), rows});
    ASSERT_TRUE(outcome.failures.empty()) << "bet " << bet;
    EXPECT_EQ(outcome.payout, payout) << "bet " << bet;
    EXPECT_EQ(outcome.resultText, calc::ResultText(payout)) << "bet " << bet;
  }
}

}  // namespace
