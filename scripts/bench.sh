#!/usr/bin/env bash
# Engine timings on the host (Google Benchmark, beside the literal walk and
# the floor of the summation chain) and in the Windows builds under Wine:
# the x86-64 build always, the 32-bit one where this machine can run it.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
# shellcheck source=wine-env.sh
. ./scripts/wine-env.sh
cmake --preset host >/dev/null
cmake --build --preset host --target payout_bench >/dev/null
echo "== host"
host_report=$(mktemp)
build/host/bench/payout_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  | tee "$host_report"
# The engine's worst case against its floor, by the medians' CPU times.
awk '/^BM_Payout\/10_median/ {e = $4} /^BM_SumChainFloor_median/ {f = $4}
     END {if (f > 0) printf "K=10  engine / floor %.3f (host, medians)\n", e / f}' "$host_report"
rm -f "$host_report"

windows_timing() {  # preset, build dir, word size
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" --target payout_timing >/dev/null
  echo "== ${3}-bit Windows build under Wine"
  ./scripts/wine-run.sh --prefix "$root/$2/wineprefix" "$2/bench/payout_timing.exe"
}
windows_timing win64 build/win64 64
if why=$(win32_unavailable); then
  echo "== 32-bit Windows build skipped: $why"
else
  windows_timing win32 build/win 32
fi
