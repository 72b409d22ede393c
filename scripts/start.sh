#!/usr/bin/env bash
# Installs what is missing, builds Zemko and starts it under Wine: the 32-bit
# program where this machine can execute 32-bit code, else the x86-64 build
# under 64-bit Wine (ZEMKO_SKIP_WIN32=1 picks that one too). It says which.
# With a display (DISPLAY set) the calculator opens there and runs until it
# is closed. Without one it runs on a virtual display: the script saves a
# screenshot of the window to build/zemko-window.png, closes the program the
# way a user would (a close request) and stops everything it started.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

./scripts/install-deps.sh
# shellcheck source=wine-env.sh
. ./scripts/wine-env.sh
pick_build start
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" >/dev/null
cmake --build "$build" --target Zemko >/dev/null
program="$root/$build/src/app/Zemko.exe"

use_wine "$bits"
export WINEDEBUG=-all LC_ALL=ru_RU.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="

if [ -n "${DISPLAY:-}" ]; then
  # A desktop has a window manager: keep Wine's windows managed by it.
  export WINEPREFIX="$root/$build/wineprefix-desktop" ZEMKO_WINE_MANAGED=1
  ./scripts/wine-prefix.sh "$WINEPREFIX" "$bits"
  exec "$WINE" "$program"
fi

export WINEPREFIX="$root/$build/wineprefix"
screenshot="$root/build/zemko-window.png"
. ./scripts/xvfb.sh
start_xvfb
program_pid=""
cleanup() {
  [ -z "$program_pid" ] || kill "$program_pid" 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  kill "$XVFB_PID" 2>/dev/null || true
  wait "$XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT
./scripts/wine-prefix.sh "$WINEPREFIX" "$bits"
"$WINE" cmd /c exit >/dev/null 2>&1 </dev/null

"$WINE" "$program" >/dev/null 2>&1 </dev/null &
program_pid=$!

# The main window is the 252-pixel-wide one captioned "Земко".
window=""
for _ in $(seq 1 100); do
  window=$(xwininfo -root -tree 2>/dev/null | awk '/"Земко": \("zemko.exe"/ && / 252x/ {print $1; exit}')
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "start: the window did not appear" >&2; exit 1; }
sleep 1
import -window "$window" "$screenshot"

# taskkill without /f asks the program's windows to close.
"$WINE" taskkill /im Zemko.exe >/dev/null 2>&1 </dev/null || true
status=0
wait "$program_pid" || status=$?
program_pid=""
echo "start: Zemko (${bits}-bit) ran on a virtual display; screenshot: $screenshot; exit code $status"
exit "$status"
