// Engine and conversion timings, beside the literal walk of the definition.
#include <benchmark/benchmark.h>

#include <vector>

#include "calc/LiteralWalk.h"
#include "calc/NumberText.h"
#include "calc/Payout.h"

namespace {

std::vector<double> TwentyOdds() {
  std::vector<double> odds;
  for (int i = 0; i < 20; ++i) odds.push_back(1.05 + 0.17 * i);
  return odds;
}

void BM_Payout(benchmark::State& state) {
  const auto odds = TwentyOdds();
  const auto k = static_cast<std::int32_t>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(calc::SystemPayout(k, odds, 300.0, 20));
}
BENCHMARK(BM_Payout)->Arg(10)->Arg(0)->Arg(20)->Unit(benchmark::kMicrosecond);

void BM_LiteralWalk(benchmark::State& state) {
  const auto odds = TwentyOdds();
  const auto k = static_cast<std::int32_t>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(calc_test::LiteralPayout(k, odds, 300.0, 20));
}
BENCHMARK(BM_LiteralWalk)->Arg(10)->Arg(0)->Arg(20)->Unit(benchmark::kMicrosecond);

// The floor: the chain of rounded additions into the sum that any walk needs.
void BM_SumChainFloor(benchmark::State& state) {
  const long double count = 184756;
  for (auto _ : state) {
    double sum = 0.0;
    double product = 1.5;
    for (int i = 0; i < 184756; ++i) {
      benchmark::DoNotOptimize(product);
      sum = static_cast<double>(static_cast<long double>(300.0) * product / count + sum);
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_SumChainFloor)->Unit(benchmark::kMicrosecond);

void BM_TextToNumber(benchmark::State& state) {
  const char* texts[] = {"1,85", "2.35", "300", "12.125", "1000000"};
  for (auto _ : state)
    for (const char* text : texts) benchmark::DoNotOptimize(calc::TextToNumber(text));
}
BENCHMARK(BM_TextToNumber);

void BM_ResultText(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(calc::ResultText(2600.125));
}
BENCHMARK(BM_ResultText);

}  // namespace

BENCHMARK_MAIN();
