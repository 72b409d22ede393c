#include "calc/Payout.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "calc/Extended.h"
#include "base/Exception.h"

namespace calc {

namespace {

using base::ErrorKind;
using base::Exception;

// The walk rounds every step to double and looks for overflow only once,
// at its end: a product or a sum that overflowed is infinite, or NaN, and
// every later step keeps it so (the steps only multiply, add, and divide by
// a finite count), so the result shows it. One check instead of one per
// step keeps a branch off the chain of additions.

// One rounded multiplication of a running product.
inline double Multiply(double product, double odds) {
  return static_cast<double>(static_cast<long double>(product) * odds);
}

double Accumulator(std::span<const double> odds, double stake) {
  double product = 1.0;
  for (double value : odds) product = Multiply(product, value);
  return Store(static_cast<long double>(product) * stake);
}

}  // namespace

std::uint64_t CombinationCount(std::int32_t n, std::int32_t k) {
  if (k < 0) throw Exception(ErrorKind::NegativeCombinationSize);
  if (k >= n) return 1;
  // C(n, k) = C(n, n - k); walk the shorter side s with the partial counts
  // C(n - s + j, j), j = 1..s. Each is a whole number and each at least
  // doubles the one before, so the first that passes 2^64 settles the refusal
  // (after at most 64 steps).
  const std::uint64_t shorter = std::min<std::uint64_t>(k, static_cast<std::uint64_t>(n) - k);
  std::uint64_t count = 1;
  for (std::uint64_t j = 1; j <= shorter; ++j) {
    // count * factor / j is whole; dividing out gcd(count, j) first leaves a
    // divisor of factor, so no step needs more than 64 bits.
    const std::uint64_t factor = static_cast<std::uint64_t>(n) - shorter + j;
    const std::uint64_t g = std::gcd(count, j);
    if (__builtin_mul_overflow(count / g, factor / (j / g), &count))
      throw Exception(ErrorKind::SystemTooLarge);
  }
  return count;
}

double SystemPayout(std::int32_t k, std::span<const double> odds, double stake, std::int32_t n) {
  if (k < 0) throw Exception(ErrorKind::NegativeCombinationSize);
  if (k == 0) return Accumulator(odds, stake);

  const std::size_t m = odds.size();
  const std::size_t size = static_cast<std::size_t>(k);
  const long double count = static_cast<long double>(CombinationCount(
      n != 0 ? n : static_cast<std::int32_t>(std::min<std::size_t>(m, INT32_MAX)), k));
  double sum = 0.0;
  if (size > m) return sum;  // fewer winners than the combination size

  // Combinations in lexicographic order of their index sets. prefix[j] is
  // the product of the first j odds of the current combination, formed from
  // 1.0 in increasing index order: the same bits a fresh product would have,
  // so carrying it down leaves every rounded step of the definition intact.
  std::vector<std::size_t> index(size);
  std::vector<double> prefix(size + 1);
  prefix[0] = 1.0;
  std::size_t level = 0;  // first position whose index must be (re)chosen
  std::size_t next = 0;   // index to put there
  const std::size_t last = size - 1;
  for (;;) {
    for (; level < last; ++level, ++next) {
      index[level] = next;
      prefix[level + 1] = Multiply(prefix[level], odds[next]);
    }
    // The last position runs over every remaining index. Its prefix, the
    // stake and the count stay in registers for the run: each term's
    // product and division then wait for nothing, and only the additions
    // form a chain.
    const long double head = prefix[last];
    const long double weight = stake;
    for (std::size_t i = next; i < m; ++i) {
      // One term: the product rounded, then (stake x product) / c + sum
      // rounded once.
      const double product = static_cast<double>(head * odds[i]);
      sum = static_cast<double>(weight * product / count + sum);
    }
    // Advance the rightmost earlier position that still has room.
    std::size_t pos = last;
    while (pos > 0 && index[pos - 1] == m - size + pos - 1) --pos;
    if (pos == 0) break;
    level = pos - 1;
    next = index[level] + 1;
  }
  return Store(sum);
}

}  // namespace calc
