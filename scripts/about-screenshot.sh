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
zemko=$build/src/app/Zemko.exe
helper=$build/tests/about/AboutScreenshotHelper.exe
out=$root/docs/about-window.png
mkdir -p "$root/docs"

# shellcheck source=wine-env.sh
. "$root/scripts/wine-env.sh"
bits=$(pe_word_size "$zemko")
use_wine "$bits"
export WINEPREFIX=$build/screenshot-prefix
export WINEDEBUG=-all LC_ALL=ru_RU.UTF-8
# Keep Wine from offering to install Mono or Gecko into the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="

xvfb_pid=""
zemko_pid=""
answer=$(mktemp /tmp/zemko-shot.XXXXXX)
cleanup() {
  [ -z "$zemko_pid" ] || kill "$zemko_pid" 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -f "$answer"
}
trap cleanup EXIT

# shellcheck source=xvfb.sh
. "$root/scripts/xvfb.sh"
start_xvfb
xvfb_pid=$XVFB_PID
"$root/scripts/wine-prefix.sh" "$WINEPREFIX" "$bits"
# Wine's services keep the output of the program that starts them open:
# start them first, detached.
"$WINE" cmd /c exit >/dev/null 2>&1 </dev/null

# The main window opens where the registry says: a fixed place on the screen.
for value in Top Left; do
  "$WINE" reg add 'HKCU\software\Vadrex\Zemko' /v "$value" /t REG_DWORD /d 40 /f \
    >/dev/null 2>&1 </dev/null
done

"$WINE" "$zemko" >/dev/null 2>&1 </dev/null &
zemko_pid=$!

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
