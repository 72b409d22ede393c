#!/usr/bin/env bash
# Start-up time of Zemko.exe beside a minimal Win32 program, under Wine on a
# virtual display, measured in the same run, plus the program's size: the
# 32-bit program where this machine can run it, else the x86-64 build.
#   scripts/measure-startup.sh [runs]   (default 15)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
runs=${1:-15}
# shellcheck source=wine-env.sh
. ./scripts/wine-env.sh
pick_build measure-startup
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" >/dev/null
cmake --build "$build" --target Zemko MinimalWindow MinimalTextWindow StartupTimer >/dev/null
use_wine "$bits"
export WINEPREFIX="$root/$build/wineprefix" WINEDEBUG=-all LC_ALL=ru_RU.UTF-8
. ./scripts/xvfb.sh
start_xvfb
trap 'wineserver -k >/dev/null 2>&1 || true; kill $XVFB_PID 2>/dev/null || true' EXIT
./scripts/wine-prefix.sh "$WINEPREFIX" "$bits"
wineserver -p
"$WINE" cmd /c exit >/dev/null 2>&1 </dev/null
zemko=$build/src/app/Zemko.exe
minimal=$build/tests/app/MinimalWindow.exe
minimal_text=$build/tests/app/MinimalTextWindow.exe
"$WINE" "$build/tests/app/StartupTimer.exe" "$runs" "$zemko" "$minimal" "$minimal_text" </dev/null
stat -c '%n: %s bytes' "$zemko" "$minimal"
