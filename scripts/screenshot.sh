#!/usr/bin/env bash
# Takes the picture of the main window for the documentation:
#   scripts/screenshot.sh [BUILD_DIR] [OUTPUT_PNG]
# Builds Zemko.exe and its driver in BUILD_DIR (default build/win), starts
# the program under Wine on a virtual display of its own, types the example
# bet (stake 300, rows 2, 3 and 4, N 3, K 2, Enter in the "по" box) with real
# keyboard events, waits for «2600,00» in the result strip, captures the
# window into OUTPUT_PNG (default docs/zemko-window.png) and closes it.
# Everything it starts is ended before it returns: the program by WM_CLOSE,
# this prefix's Wine processes, and its own Xvfb by its pid
# (scripts/zemko-session.sh).
set -u

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "$root" && realpath -m "${1:-build/win}")
output=$(cd "$root" && realpath -m "${2:-docs/zemko-window.png}")

command -v import >/dev/null || { echo "screenshot: ImageMagick's import is missing" >&2; exit 2; }
[ -f "$build/CMakeCache.txt" ] || { echo "screenshot: $build is not a configured build" >&2; exit 2; }
cmake --build "$build" -j2 --target Zemko ZemkoDriver >/dev/null || exit 2
driver="$build/tests/app/ZemkoDriver.exe"

# shellcheck source=zemko-session.sh
. "$root/scripts/zemko-session.sh"
zemko_session_environment "$build" "$build/wineprefix" || exit 2
work=$(mktemp -d)

finish() {
  # The program first (it saves its position), then whatever Wine left.
  if [ -n "$zemko_pid" ] && kill -0 "$zemko_pid" 2>/dev/null; then
    "$WINE" "$driver" close >/dev/null 2>&1 </dev/null
    for _ in $(seq 50); do kill -0 "$zemko_pid" 2>/dev/null || break; sleep 0.1; done
  fi
  end_zemko_session
  rm -rf "$work"
}
trap finish EXIT

# A first start: no stored position, so the window opens at (0, 0).
start_zemko_session first || { echo "screenshot: could not start Zemko under Wine" >&2; exit 2; }

# Wine's output goes to files, never to a pipe that its helpers could hold.
if ! "$WINE" "$driver" type-example >"$work/rect" 2>"$work/driver.log" </dev/null; then
  echo "screenshot: the bet was not calculated:" >&2
  cat "$work/driver.log" >&2
  exit 1
fi
read -r left top width height <"$work/rect"
mkdir -p "$(dirname "$output")"
import -window root -crop "${width}x${height}+${left}+${top}" +repage "$output" || exit 1

"$WINE" "$driver" close >/dev/null 2>&1 </dev/null
wait "$zemko_pid"
status=$?
zemko_pid=""
if [ "$status" -ne 0 ]; then
  echo "screenshot: Zemko.exe ended with exit code $status" >&2
  exit 1
fi
echo "screenshot: $output (${width}x${height})"
