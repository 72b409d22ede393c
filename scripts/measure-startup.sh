#!/usr/bin/env bash
# Start-up time of Zemko.exe beside a minimal Win32 program, under Wine on a
# virtual display, measured in the same run, plus the program's size: the
# 32-bit program where this machine can run it, else the x86-64 build.
#   scripts/measure-startup.sh [runs]   (default 21)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
runs=${1:-21}
# shellcheck source=wine-env.sh
. ./scripts/wine-env.sh
pick_build measure-startup
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target Zemko MinimalWindow MinimalTextWindow BareWindows \
  StartupTimer >/dev/null
wine_environment "$bits" "$root/$build/wineprefix"
# shellcheck source=xvfb.sh
. ./scripts/xvfb.sh
trap 'stop_xvfb "$WINEPREFIX"' EXIT
start_xvfb
./scripts/wine-prefix.sh "$root/$build/wineprefix" "$bits"
zemko=$build/src/app/Zemko.exe
minimal=$build/tests/app/MinimalWindow.exe
minimal_text=$build/tests/app/MinimalTextWindow.exe
bare=$build/tests/app/BareWindows.exe  # the same windows, empty: the floor

# Every window call of a Wine program is a round trip to the Wine server.
# Where the two run on different processors each answer waits for a wake-up
# across processors, which on the virtual machines here costs 50-65 us
# instead of the 4 us of one processor (a loop of GetPropA calls); that
# latency then outweighs the programs' own work. So the start-up is timed
# twice: free to use every processor, and with the whole Wine session on one
# processor, as on a machine whose wake-ups are fast.
time_startup() {  # processor list, empty for all of them
  local pin=()
  [ -z "$1" ] || pin=(taskset -c "$1")
  stop_wine_servers "$WINEPREFIX"
  wineserver -w >/dev/null 2>&1 || true
  "${pin[@]}" wineserver -p
  "${pin[@]}" "$WINE" cmd /c exit >/dev/null 2>&1 </dev/null
  "${pin[@]}" "$WINE" "$build/tests/app/StartupTimer.exe" "$runs" "$zemko" "$minimal" \
    "$minimal_text" "$bare" </dev/null
}
echo "-- Wine on every processor"
time_startup ""
echo "-- Wine on one processor"
time_startup 0
stat -c '%n: %s bytes' "$zemko" "$minimal"
