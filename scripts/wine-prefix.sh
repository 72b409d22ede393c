#!/usr/bin/env bash
# Makes the private Wine prefix of DIR once (wineboot) for 32- or 64-bit
# programs; later calls return at once. The prefix is the one of the run's
# locale (wine-env.sh: DIR itself under ru_RU.UTF-8, DIR-en_US under
# ZEMKO_LOCALE=en_US.UTF-8, ...).
#   wine-prefix.sh DIR 32|64
# A lock keeps parallel test runs from initialising it twice.
set -u
bits=${2:?wine-prefix: give the word size, 32 or 64}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=wine-env.sh
. "$here/wine-env.sh"
# The prefix is made with Wine's own libraries, whatever the caller overrides.
unset WINEDLLOVERRIDES
wine_environment "$bits" "$1" || exit 2
prefix=$WINEPREFIX
ready="$prefix/.zemko-ready-win$bits"
[ -f "$ready" ] && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
if [ ! -f "$ready" ]; then
  if [ -f "$prefix/.zemko-ready-win$((96 - bits))" ]; then
    echo "wine-prefix: $prefix was made for the other word size" >&2
    exit 2
  fi
  fresh=0
  if [ ! -f "$prefix/system.reg" ]; then
    "$WINE" wineboot -i >/dev/null 2>&1 </dev/null
    fresh=1
  fi
  # Without a window manager on the virtual display, Wine would wait for one
  # each time a window is shown; let Wine place and focus windows itself.
  # A prefix for a real desktop (ZEMKO_WINE_MANAGED=1) keeps the manager.
  if [ "${ZEMKO_WINE_MANAGED:-0}" != 1 ]; then
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
  fi
  # A new prefix is left with no server running, so the caller may start
  # its own (a persistent one, say).
  [ "$fresh" = 0 ] || wineserver -w
  touch "$ready"
fi
