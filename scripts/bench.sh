#!/usr/bin/env bash
# Engine timings on the host (Google Benchmark, beside the literal walk and
# the floor of the summation chain) and in the Windows build under Wine.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
cmake -S . -B build/host -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/host --target payout_bench >/dev/null
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build build/win --target payout_timing >/dev/null
echo "== host"
build/host/bench/payout_bench
echo "== Windows build under Wine"
./scripts/wine-run.sh --prefix "$root/build/win/wineprefix" build/win/bench/payout_timing.exe
