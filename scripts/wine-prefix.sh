#!/usr/bin/env bash
# Makes the private Wine prefix DIR once (wineboot); later calls return at once.
# A lock keeps parallel test runs from initialising it twice.
set -u
prefix=$1
ready="$prefix/.zemko-ready-2"
[ -f "$ready" ] && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
if [ ! -f "$ready" ]; then
  export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all LC_ALL=ru_RU.UTF-8 \
         WINEDLLOVERRIDES="mscoree,mshtml="
  fresh=0
  if [ ! -f "$prefix/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 </dev/null
    fresh=1
  fi
  # Without a window manager on the virtual display, Wine would wait for one
  # each time a window is shown; let Wine place and focus windows itself.
  # A prefix for a real desktop (ZEMKO_WINE_MANAGED=1) keeps the manager.
  if [ "${ZEMKO_WINE_MANAGED:-0}" != 1 ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
  fi
  # A new prefix is left with no server running, so the caller may start
  # its own (a persistent one, say).
  [ "$fresh" = 0 ] || wineserver -w
  touch "$ready"
fi
