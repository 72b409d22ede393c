#!/usr/bin/env bash
# Engine timings on the host (Google Benchmark, beside the literal walk and
# the floor of the summation chain) and in the Windows builds under Wine:
# the x86-64 build always, the 32-bit one where this machine can run it.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
# shellcheck source=wine-env.sh
. ./scripts/wine-env.sh
cmake -S . -B build/host -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/host --target payout_bench >/dev/null
echo "== host"
build/host/bench/payout_bench

windows_timing() {  # build dir, toolchain file, word size
  cmake -S . -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2" >/dev/null
  cmake --build "$1" --target payout_timing >/dev/null
  echo "== ${3}-bit Windows build under Wine"
  ./scripts/wine-run.sh --prefix "$root/$1/wineprefix" "$1/bench/payout_timing.exe"
}
windows_timing build/win64 mingw-x86_64.cmake 64
if why=$(win32_unavailable); then
  echo "== 32-bit Windows build skipped: $why"
else
  windows_timing build/win mingw-i686.cmake 32
fi
