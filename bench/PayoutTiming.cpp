// The engine's timings for the Windows build, run under Wine (Google
// Benchmark is a host library): the worst case, K = 0 and K = 20, beside the
// literal walk, and the worst case beside its floor, in milliseconds per call.
#include <chrono>
#include <cstdio>
#include <vector>

#include "calc/LiteralWalk.h"
#include "calc/NumberText.h"
#include "calc/Payout.h"

namespace {

volatile double sink;

// The floor: the chain of rounded additions into the sum that any walk of
// K = 10 of 20 odds needs, one per combination; the product is read from
// memory each time, as the walk's is.
double SumChainFloor() {
  constexpr int kCombinations = 184756;
  const long double count = kCombinations;
  volatile double product = 1.5;
  double sum = 0.0;
  for (int i = 0; i < kCombinations; ++i) {
    sum = static_cast<double>(static_cast<long double>(300.0) * product / count + sum);
  }
  return sum;
}

// The fastest of many short batches: this machine shares its processors,
// and a mean over one long stretch counts every pause it was given.
template <typename F>
double MillisecondsPerCall(F&& call) {
  using Clock = std::chrono::steady_clock;
  constexpr auto kBatch = std::chrono::milliseconds(20);
  constexpr auto kTotal = std::chrono::milliseconds(600);
  double fastest = 0;
  const auto start = Clock::now();
  auto now = start;
  while (now - start < kTotal) {
    int calls = 0;
    const auto batchStart = now;
    while (now - batchStart < kBatch) {
      sink = call();
      ++calls;
      now = Clock::now();
    }
    const double perCall = std::chrono::duration<double, std::milli>(now - batchStart).count() /
                           calls;
    if (fastest == 0 || perCall < fastest) fastest = perCall;
  }
  return fastest;
}

}  // namespace

int main() {
  std::vector<double> odds;
  for (int i = 0; i < 20; ++i) odds.push_back(1.05 + 0.17 * i);
  for (int k : {10, 0, 20}) {
    const double fast = MillisecondsPerCall([&] { return calc::SystemPayout(k, odds, 300, 20); });
    const double literal = MillisecondsPerCall(
        [&] { return calc_test::LiteralPayout(k, odds, 300, 20); });
    std::printf("K=%-2d  engine %10.4f ms   literal walk %10.4f ms   ratio %.2f\n", k, fast,
                literal, literal / fast);
  }
  const double engine = MillisecondsPerCall([&] { return calc::SystemPayout(10, odds, 300, 20); });
  const double floor = MillisecondsPerCall(SumChainFloor);
  std::printf("K=10  engine %10.4f ms   floor        %10.4f ms   engine / floor %.3f\n", engine,
              floor, engine / floor);
  const double text = MillisecondsPerCall([] { return calc::TextToNumber("1,85"); });
  std::printf("TextToNumber(\"1,85\") %.1f ns\n", text * 1e6);
  return 0;
}
