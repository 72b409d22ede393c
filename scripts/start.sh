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
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target Zemko >/dev/null

if [ -n "${DISPLAY:-}" ]; then
  # A desktop has a window manager: keep Wine's windows managed by it.
  export ZEMKO_WINE_MANAGED=1
  wine_environment "$bits" "$root/$build/wineprefix-desktop"
  ./scripts/wine-prefix.sh "$root/$build/wineprefix-desktop" "$bits"
  exec "$WINE" "$root/$build/src/app/Zemko.exe"
fi

screenshot="$root/build/zemko-window.png"
# shellcheck source=zemko-session.sh
. ./scripts/zemko-session.sh
zemko_session_environment "$root/$build" "$root/$build/wineprefix"
trap end_zemko_session EXIT
start_zemko_session kept

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
wait "$zemko_pid" || status=$?
zemko_pid=""
echo "start: Zemko (${bits}-bit) ran on a virtual display; screenshot: $screenshot; exit code $status"
exit "$status"
