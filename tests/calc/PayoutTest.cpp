#include "calc/Payout.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "calc/LiteralWalk.h"
#include "base/Exception.h"

namespace {

using base::ErrorKind;
using calc::CombinationCount;
using calc::SystemPayout;

template <typename F>
ErrorKind KindRaisedBy(F&& f) {
  try {
    f();
  } catch (const base::Exception& e) {
    return e.Kind();
  }
  ADD_FAILURE() << "no exception";
  return ErrorKind::ExternalException;
}

std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v); }

// The product formula of the definition, where it is exact (every n <= 20).
std::int32_t ProductFormula(std::int32_t n, std::int32_t k) {
  std::int64_t v = 1, u = 1;
  for (std::int32_t f = k + 1; f <= n; ++f) v *= f;
  for (std::int32_t f = 1; f <= n - k; ++f) u *= f;
  return static_cast<std::int32_t>(v / u);
}

TEST(CombinationCount, MatchesTheProductFormulaWhereverItIsExact) {
  for (std::int32_t n = 0; n <= 20; ++n)
    for (std::int32_t k = 0; k <= n + 2; ++k)
      EXPECT_EQ(CombinationCount(n, k), static_cast<std::uint64_t>(ProductFormula(n, k)))
          << n << " " << k;
  EXPECT_EQ(CombinationCount(20, 10), 184756u);
  EXPECT_EQ(CombinationCount(21, 3), 1330u);
  EXPECT_EQ(CombinationCount(21, 18), static_cast<std::uint64_t>(ProductFormula(21, 18)));
}

TEST(CombinationCount, ExtendsExactlyBeyondThe32BitRange) {
  EXPECT_EQ(CombinationCount(21, 1), 21u);           // the product formula wraps here
  EXPECT_EQ(CombinationCount(34, 17), 2333606220u);  // above 2^31
  EXPECT_EQ(CombinationCount(66, 33), 7219428434016265740u);
  EXPECT_EQ(CombinationCount(67, 33), 14226520737620288370u);  // just below 2^64
  EXPECT_EQ(CombinationCount(2000000000, 2), 1999999999000000000u);
  EXPECT_EQ(CombinationCount(INT32_MAX, INT32_MAX - 1), static_cast<std::uint64_t>(INT32_MAX));
}

TEST(CombinationCount, RefusesCountsOf2To64AndNegativeSizes) {
  EXPECT_EQ(KindRaisedBy([] { CombinationCount(68, 34); }), ErrorKind::SystemTooLarge);
  EXPECT_EQ(KindRaisedBy([] { CombinationCount(INT32_MAX, 1000000); }), ErrorKind::SystemTooLarge);
  EXPECT_EQ(KindRaisedBy([] { CombinationCount(5, -1); }), ErrorKind::NegativeCombinationSize);
  // k at or above n has no factors: the count is 1, also for negative n.
  EXPECT_EQ(CombinationCount(3, 7), 1u);
  EXPECT_EQ(CombinationCount(-4, 2), 1u);
}

TEST(SystemPayout, AccumulatorIgnoresTheSystemSize) {
  const std::vector<double> odds{1.5, 2.0};
  for (std::int32_t n : {0, 1, 2, 7, -3}) EXPECT_EQ(SystemPayout(0, odds, 100, n), 300.0);
  EXPECT_EQ(SystemPayout(0, {}, 123.25, 5), 123.25);
}

TEST(SystemPayout, WalksAllCombinations) {
  const std::vector<double> three{2, 3, 4};
  EXPECT_EQ(SystemPayout(2, three, 300, 3), 2600.0);
  EXPECT_EQ(SystemPayout(2, three, 300, 0), 2600.0);  // N = 0: as many as odds
  const std::vector<double> two{2, 3};
  EXPECT_EQ(SystemPayout(2, two, 300, 3), 600.0);
  // More odds than N are not refused: C(2, 2) = 1 and all three pairs count.
  EXPECT_EQ(SystemPayout(2, three, 10, 2), 260.0);
  // N = K: stake times the sum of the products of all K-combinations.
  EXPECT_EQ(SystemPayout(3, three, 1, 3), 24.0);
  // Powers of two keep every product exact: the one combination gives
  // 2^-600 x 2^600 x 2^600 x 2^-600 = 1. No other product may be formed on
  // the way: 2^600 x 2^600 would overflow.
  const std::vector<double> extremes{0x1p-600, 0x1p600, 0x1p600, 0x1p-600};
  EXPECT_EQ(SystemPayout(4, extremes, 100, 4), 100.0);
}

TEST(SystemPayout, NoCombinationGivesZero) {
  EXPECT_EQ(SystemPayout(1, {}, 100, 3), 0.0);
  const std::vector<double> two{2, 3};
  EXPECT_EQ(SystemPayout(3, two, 100, 5), 0.0);
  // A huge K with a count of 1 needs no buffer and no walk.
  EXPECT_EQ(SystemPayout(INT32_MAX, two, 100, INT32_MAX), 0.0);
}

// The same bits on the host and on both Windows builds: every step runs on
// the x87 unit with a 64-bit significand. 0.1 x 3 needs 55 bits, so it is
// exact there and 0.1 x 3 / 3 gives 0.1 back; with the product rounded to
// double first (or a 53-bit precision control) the term is one unit higher.
TEST(SystemPayout, EachStepIsRoundedOnceFromExtendedPrecision) {
  static_assert(std::numeric_limits<long double>::digits == 64);
  const std::vector<double> three{3.0};
  EXPECT_EQ(Bits(SystemPayout(1, three, 0.1, 3)), 0x3FB999999999999Aull);
  // The accumulator: 0.1 x 3 itself, rounded once to the double above it.
  EXPECT_EQ(Bits(SystemPayout(0, three, 0.1, 1)), 0x3FD3333333333334ull);
  // The double 6.35 is 6.35 - 0.4 x 2^-50, so 30 x 6.35 / 3 is exactly
  // 63.5 - 2^-48, halfway between two doubles; the tie goes to the even 63.5.
  // Dividing 6.35 by 3 first would round inside the term and miss the tie.
  const std::vector<double> tie{6.35};
  EXPECT_EQ(Bits(SystemPayout(1, tie, 30, 3)), Bits(63.5));
}

TEST(SystemPayout, DividesEachTermByTheExactCountBeyondTheOldRange) {
  // One combination of C(34, 2) = 561 and one of C(34, 17), whose count no
  // longer fits 32 bits: each term is stake x product / count in extended.
  const std::vector<double> odds{2.5, 3.0};
  const auto term = [](long double count) {
    return static_cast<double>(static_cast<long double>(100.0) * 7.5 / count + 0.0);
  };
  EXPECT_EQ(Bits(SystemPayout(2, odds, 100, 34)), Bits(term(561.0L)));
  const std::vector<double> many(17, 1.25);
  EXPECT_EQ(Bits(SystemPayout(17, many, 100, 34)),
            Bits(calc_test::LiteralPayout(17, many, 100, 34)));
  EXPECT_GT(SystemPayout(17, many, 100, 34), 0.0);
}

TEST(SystemPayout, RefusesWhatItCannotCompute) {
  const std::vector<double> odds{2, 3};
  EXPECT_EQ(KindRaisedBy([&] { SystemPayout(-1, odds, 100, 2); }),
            ErrorKind::NegativeCombinationSize);
  EXPECT_EQ(KindRaisedBy([&] { SystemPayout(34, odds, 100, 68); }), ErrorKind::SystemTooLarge);
  const std::vector<double> huge{1e200, 1e200};
  EXPECT_EQ(KindRaisedBy([&] { SystemPayout(0, huge, 1, 0); }), ErrorKind::FloatOverflow);
  EXPECT_EQ(KindRaisedBy([&] { SystemPayout(2, huge, 1, 2); }), ErrorKind::FloatOverflow);
  const std::vector<double> big{1e300};
  // The product fits, the stake times it does not.
  EXPECT_EQ(KindRaisedBy([&] { SystemPayout(1, big, 1e10, 1); }), ErrorKind::FloatOverflow);
  EXPECT_EQ(KindRaisedBy([&] { SystemPayout(0, big, 1e10, 1); }), ErrorKind::FloatOverflow);
  // The sum overflows only when the terms are added up.
  const std::vector<double> near{1.5e308, 1.5e308};
  EXPECT_EQ(KindRaisedBy([&] { SystemPayout(1, near, 1, 1); }), ErrorKind::FloatOverflow);
}

TEST(SystemPayout, EqualsTheLiteralWalkBitForBitOnRandomBets) {
  std::mt19937 random(20261207);
  std::uniform_real_distribution<double> oddsValue(1.01, 9.99);
  std::uniform_int_distribution<int> hundredths(1, 2000000);
  int compared = 0;
  for (int round = 0; round < 400; ++round) {
    const int m = 1 + round % 20;
    std::vector<double> odds(m);
    for (double& v : odds) v = oddsValue(random);
    const double stake = hundredths(random) / 100.0;
    const std::int32_t k = static_cast<std::int32_t>(random() % (m + 1));
    const std::int32_t n = (round % 3 == 0) ? 0 : m + static_cast<std::int32_t>(random() % 4);
    if (n != 0 && k > n) continue;
    const double fast = SystemPayout(k, odds, stake, n);
    const double literal = calc_test::LiteralPayout(k, odds, stake, n);
    ASSERT_EQ(Bits(fast), Bits(literal)) << "m=" << m << " k=" << k << " n=" << n;
    ++compared;
  }
  EXPECT_GT(compared, 300);
}

TEST(SystemPayout, LeavesTheOddsUntouched) {
  const std::vector<double> odds{1.7, 2.2, 3.9, 1.05};
  const std::vector<double> copy = odds;
  SystemPayout(2, odds, 50, 4);
  EXPECT_EQ(std::memcmp(odds.data(), copy.data(), sizeof(double) * odds.size()), 0);
}

}  // namespace
