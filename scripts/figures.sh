#!/usr/bin/env bash
# The figures of the shipped program in one run: the stripped size of both
# programs, the start-up beside a minimal window, the engine beside the
# literal walk and its summation floor, and the time of a 50 MB paste.
#   scripts/figures.sh [start-up runs]   (default 20)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
runs=${1:-20}
# shellcheck source=wine-env.sh
. ./scripts/wine-env.sh

pick_build figures
for pair in "build/win mingw-i686.cmake" "build/win64 mingw-x86_64.cmake"; do
  set -- $pair
  cmake -S . -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2" >/dev/null
  cmake --build "$1" --target Zemko >/dev/null
done

echo "== size"
stat -c '%n: %s bytes' build/win/src/app/Zemko.exe build/win64/src/app/Zemko.exe
echo "== start-up"
./scripts/measure-startup.sh "$runs" | grep -v '^measure-startup'
echo "== engine"
./scripts/bench.sh 2>&1 | grep -E '^==|Floor|Literal|Payout|K=|TextToNumber' || true
echo "== 50 MB paste"
cmake --build "$build" --target PasteOddsTest >/dev/null
./scripts/wine-run.sh --prefix "$root/$build/wineprefix" "$build/tests/commands/PasteOddsTest.exe" \
  --gtest_filter='PasteScaleTest.*' | grep -a 'figures' || true
