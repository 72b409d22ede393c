#!/usr/bin/env bash
# Takes docs/about-window.png: the About window over the main window, as the
# About button opens it. Zemko.exe runs under Wine on its own virtual display
# with a private prefix; the program is closed by its own buttons and no
# process of this script is left behind.
#   scripts/about-screenshot.sh [BUILD_DIR]      (default: build/win)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd)
cd "$root"

cmake --build "$build" --target Zemko AboutScreenshotHelper >/dev/null
helper=$build/tests/about/AboutScreenshotHelper.exe
out=$root/docs/about-window.png
mkdir -p "$root/docs"

# shellcheck source=zemko-session.sh
. "$root/scripts/zemko-session.sh"
zemko_session_environment "$build"
answer=$(mktemp /tmp/zemko-shot.XXXXXX)
trap 'end_zemko_session; rm -f "$answer"' EXIT
start_zemko_session 40

# Wine's output goes to files, never to a pipe that its helpers could hold.
"$WINE" "$helper" about >"$answer" 2>/dev/null </dev/null
geometry=$(tr -d '\r\n' <"$answer")
[[ $geometry =~ ^[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+$ ]] || {
  echo "about-screenshot: the About window did not open" >&2
  exit 1
}
import -window root -crop "$geometry" +repage "$out"

"$WINE" "$helper" close >/dev/null 2>&1 </dev/null
wait "$zemko_pid"
zemko_pid=""
echo "about-screenshot: wrote $out ($geometry)"
