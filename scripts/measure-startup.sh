#!/usr/bin/env bash
# Start-up time of Zemko.exe beside a minimal Win32 program, under Wine on a
# virtual display, measured in the same run, plus the program's size.
#   scripts/measure-startup.sh [runs]   (default 15)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
runs=${1:-15}
cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build build/win --target Zemko MinimalWindow MinimalTextWindow StartupTimer >/dev/null
export WINEPREFIX="$root/build/win/wineprefix" WINEDEBUG=-all LC_ALL=ru_RU.UTF-8
. ./scripts/xvfb.sh
start_xvfb
trap 'wineserver -k >/dev/null 2>&1 || true; kill $XVFB_PID 2>/dev/null || true' EXIT
./scripts/wine-prefix.sh "$WINEPREFIX"
wineserver -p
wine cmd /c exit >/dev/null 2>&1 </dev/null
zemko=build/win/src/mainwindow/Zemko.exe
minimal=build/win/tests/program/MinimalWindow.exe
minimal_text=build/win/tests/program/MinimalTextWindow.exe
wine build/win/tests/program/StartupTimer.exe "$runs" "$zemko" "$minimal" "$minimal_text" </dev/null
stat -c '%n: %s bytes' "$zemko" "$minimal"
