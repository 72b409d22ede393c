// The system-bet payout engine.
// A system of N events by K splits the stake over C(N, K) combinations; each
// combination of winning events pays its share times the product of its odds.
#pragma once

#include <cstdint>
#include <span>

namespace calc {

// C(n, k) exactly, for any count below 2^64. For k >= n the count is 1, as
// the product formula gives it (no factors). A count of 2^64 or more raises
// SystemTooLarge; a negative k raises NegativeCombinationSize.
std::uint64_t CombinationCount(std::int32_t n, std::int32_t k);

// Total payout of a system bet: stake times the sum over all k-subsets of the
// odds of their products, divided by C(n, k) (n = 0 means as many as odds).
// k = 0 prices an accumulator: stake times the product of all odds.
// Raises FloatOverflow, SystemTooLarge or NegativeCombinationSize.
double SystemPayout(std::int32_t k, std::span<const double> odds, double stake, std::int32_t n);

}  // namespace calc
