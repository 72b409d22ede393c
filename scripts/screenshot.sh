#!/usr/bin/env bash
# Takes the picture of the main window for the documentation:
#   scripts/screenshot.sh [BUILD_DIR] [OUTPUT_PNG]
# Builds Zemko.exe and its driver in BUILD_DIR (default build/win), starts
# the program under Wine on a virtual display of its own, types the example
# bet (stake 300, rows 2, 3 and 4, N 3, K 2, Enter in the "по" box) with real
# keyboard events, waits for «2600,00» in the result strip, captures the
# window into OUTPUT_PNG (default docs/zemko-window.png) and closes it.
# Everything it starts is ended before it returns: the program by WM_CLOSE,
# this prefix's Wine processes, and its own Xvfb by its pid.
set -u

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "$root" && realpath -m "${1:-build/win}")
output=$(cd "$root" && realpath -m "${2:-docs/zemko-window.png}")
prefix="$build/wineprefix"
run="$root/scripts/wine-run.sh"

command -v import >/dev/null || { echo "screenshot: ImageMagick's import is missing" >&2; exit 2; }
[ -f "$build/CMakeCache.txt" ] || { echo "screenshot: $build is not a configured build" >&2; exit 2; }
cmake --build "$build" -j2 --target Zemko ZemkoDriver >/dev/null || exit 2
zemko="$build/src/app/Zemko.exe"
driver="$build/tests/app/ZemkoDriver.exe"

# shellcheck source=xvfb.sh
. "$root/scripts/xvfb.sh"
start_xvfb || { echo "screenshot: could not start Xvfb" >&2; exit 2; }
zemko_pid=""
work=$(mktemp -d)

finish() {
  # The program first (it saves its position), then whatever Wine left.
  if [ -n "$zemko_pid" ] && kill -0 "$zemko_pid" 2>/dev/null; then
    "$run" --prefix "$prefix" "$driver" close >/dev/null 2>&1
    for _ in $(seq 50); do kill -0 "$zemko_pid" 2>/dev/null || break; sleep 0.1; done
  fi
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1
  kill "$XVFB_PID" 2>/dev/null
  wait "$XVFB_PID" 2>/dev/null
  rm -rf "$work"
}
trap finish EXIT

# shellcheck source=wine-env.sh
. "$root/scripts/wine-env.sh"
bits=$(pe_word_size "$zemko") || exit 2
use_wine "$bits"
"$root/scripts/wine-prefix.sh" "$prefix" "$bits" || exit 2
# A first start: no stored position, so the window opens at (0, 0).
WINEPREFIX="$prefix" WINEDEBUG=-all "$WINE" reg delete 'HKCU\software\Vadrex\Zemko' /f \
  >/dev/null 2>&1 </dev/null

"$run" --prefix "$prefix" "$zemko" >"$work/zemko.log" 2>&1 &
zemko_pid=$!

if ! "$run" --prefix "$prefix" "$driver" type-example >"$work/rect" 2>"$work/driver.log"; then
  echo "screenshot: the bet was not calculated:" >&2
  cat "$work/driver.log" >&2
  exit 1
fi
read -r left top width height <"$work/rect"
mkdir -p "$(dirname "$output")"
import -window root -crop "${width}x${height}+${left}+${top}" +repage "$output" || exit 1

"$run" --prefix "$prefix" "$driver" close >/dev/null 2>&1
wait "$zemko_pid"
status=$?
zemko_pid=""
if [ "$status" -ne 0 ]; then
  echo "screenshot: Zemko.exe ended with exit code $status" >&2
  exit 1
fi
echo "screenshot: $output (${width}x${height})"
