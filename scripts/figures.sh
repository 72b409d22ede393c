#!/usr/bin/env bash
# The figures of the shipped program in one run: the stripped size of both
# programs, the start-up of Zemko, of its windows with nothing in them
# (BareWindows) and of a minimal window, with Wine on every processor and on
# one, Zemko against BareWindows; the engine beside the literal walk and its
# summation floor on the host and in both Windows builds; and the time of a
# 50 MB paste.
#   scripts/figures.sh [start-up runs]   (default 20)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
runs=${1:-20}
# shellcheck source=wine-env.sh
. ./scripts/wine-env.sh

pick_build figures
for each in win32 win64; do
  cmake --preset "$each" >/dev/null
  cmake --build --preset "$each" --target Zemko >/dev/null
done

echo "== size"
stat -c '%n: %s bytes' build/win/src/app/Zemko.exe build/win64/src/app/Zemko.exe
echo "== start-up"
./scripts/measure-startup.sh "$runs" | grep -v '^measure-startup'
echo "== engine"
./scripts/bench.sh 2>&1 | grep -E '^==|median|K=|TextToNumber' || true
echo "== 50 MB paste"
cmake --build --preset "$preset" --target PasteOddsTest >/dev/null
./scripts/wine-run.sh --prefix "$root/$build/wineprefix" "$build/tests/commands/PasteOddsTest.exe" \
  --gtest_filter='PasteScaleTest.*' | grep -a 'figures' || true
