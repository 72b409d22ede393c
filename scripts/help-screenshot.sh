#!/usr/bin/env bash
# Takes docs/help-window.png: the help opened by the program's help button,
# beside the main window. Zemko.exe and the help viewer that Wine ships run on
# a virtual display of their own with a private prefix; both are closed
# before the script returns, and no process of this script is left behind.
#   scripts/help-screenshot.sh [BUILD_DIR]      (default: build/win)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd)
cd "$root"

command -v import >/dev/null && command -v convert >/dev/null ||
  { echo "help-screenshot: ImageMagick is missing" >&2; exit 2; }
# Building Zemko writes Zemko.hlp beside it.
cmake --build "$build" -j2 --target Zemko HelpScreenshotHelper >/dev/null
helper=$build/tests/help/HelpScreenshotHelper.exe
out=$root/docs/help-window.png
mkdir -p "$root/docs"

# shellcheck source=zemko-session.sh
. "$root/scripts/zemko-session.sh"
zemko_session_environment "$build"
answer=$(mktemp /tmp/zemko-help-shot.XXXXXX)
trap 'end_zemko_session; rm -f "$answer" "$answer.main.png" "$answer.help.png"' EXIT
start_zemko_session 20

# Wine's output goes to files, never to a pipe that its helpers could hold.
"$WINE" "$helper" open >"$answer" 2>/dev/null </dev/null || true
geometry='^([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+)$'
mapfile -t frames < <(tr -d '\r' <"$answer")
if [ "${#frames[@]}" -ne 2 ] || ! [[ ${frames[0]} =~ $geometry ]] ||
   ! [[ ${frames[1]} =~ $geometry ]]; then
  echo "help-screenshot: the help did not open" >&2
  exit 1
fi
# Each window is taken on its own and both are laid on a plain background
# where the screen between them is empty.
import -window root -crop "${frames[0]}" +repage "$answer.main.png"
import -window root -crop "${frames[1]}" +repage "$answer.help.png"
[[ ${frames[0]} =~ $geometry ]]
main=("${BASH_REMATCH[@]:1}")
[[ ${frames[1]} =~ $geometry ]]
help=("${BASH_REMATCH[@]:1}")
left=$((main[2] < help[2] ? main[2] : help[2]))
top=$((main[3] < help[3] ? main[3] : help[3]))
right=$((main[2] + main[0] > help[2] + help[0] ? main[2] + main[0] : help[2] + help[0]))
bottom=$((main[3] + main[1] > help[3] + help[1] ? main[3] + main[1] : help[3] + help[1]))
convert -size "$((right - left))x$((bottom - top))" xc:'#d4d0c8' \
  "$answer.main.png" -geometry "+$((main[2] - left))+$((main[3] - top))" -composite \
  "$answer.help.png" -geometry "+$((help[2] - left))+$((help[3] - top))" -composite "$out"

"$WINE" "$helper" close >/dev/null 2>&1 </dev/null
wait "$zemko_pid"
zemko_pid=""
echo "help-screenshot: wrote $out ($((right - left))x$((bottom - top)))"
