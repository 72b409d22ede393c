// The payout exactly as defined, step by step and unoptimised: a fresh
// product per combination, recursion over the lowest index. The engine must
// give the same bits.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "calc/Payout.h"

namespace calc_test {

class LiteralWalk {
 public:
  LiteralWalk(std::int32_t k, std::span<const double> odds, double stake, std::int32_t n)
      : k_(k), odds_(odds), stake_(stake), buffer_(k + 1) {
    count_ = static_cast<long double>(
        calc::CombinationCount(n != 0 ? n : static_cast<std::int32_t>(odds.size()), k));
  }

  double Run() {
    if (k_ == 0) {
      double product = 1.0;
      for (double v : odds_) product = static_cast<double>(static_cast<long double>(product) * v);
      return static_cast<double>(static_cast<long double>(product) * stake_);
    }
    Walk(k_, 1);
    return sum_;
  }

 private:
  void Walk(std::int32_t remaining, std::int32_t lowest) {
    const std::int32_t m = static_cast<std::int32_t>(odds_.size());
    if (remaining == 0) {
      double product = 1.0;
      for (std::int32_t p = 1; p <= k_; ++p)
        product = static_cast<double>(static_cast<long double>(product) * buffer_[p]);
      sum_ = static_cast<double>(static_cast<long double>(stake_) * product / count_ + sum_);
      return;
    }
    for (std::int32_t i = lowest; i <= m - remaining + 1; ++i) {
      buffer_[k_ - remaining + 1] = odds_[i - 1];
      Walk(remaining - 1, i + 1);
    }
  }

  std::int32_t k_;
  std::span<const double> odds_;
  double stake_;
  std::vector<double> buffer_;
  long double count_ = 1;
  double sum_ = 0.0;
};

inline double LiteralPayout(std::int32_t k, std::span<const double> odds, double stake,
                            std::int32_t n) {
  return LiteralWalk(k, odds, stake, n).Run();
}

}  // namespace calc_test
