#!/usr/bin/env bash
# Makes the private Wine prefix DIR once (wineboot); later calls return at once.
# A lock keeps parallel test runs from initialising it twice.
set -u
prefix=$1
[ -f "$prefix/.zemko-ready" ] && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
if [ ! -f "$prefix/.zemko-ready" ]; then
  rm -rf "$prefix"
  WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all LC_ALL=ru_RU.UTF-8 \
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1 </dev/null
  WINEPREFIX="$prefix" wineserver -w
  touch "$prefix/.zemko-ready"
fi
