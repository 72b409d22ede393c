#!/usr/bin/env bash
# Runs a Windows program under Wine for CTest and the project's scripts:
#   wine-run.sh --prefix DIR program.exe [args...]
# The program's PE machine type picks the loader and WINEARCH: 32-bit Wine
# for i386 programs, 64-bit Wine for x86-64 ones. The prefix is private to
# the build tree (one per word size) and made once. When no display is set,
# an Xvfb display is started for this run and stopped afterwards by its own
# pid. A run may ask for another system code page by its locale
# (ZEMKO_LOCALE=en_US.UTF-8, say); each locale other than the default
# ru_RU.UTF-8 gets a prefix of its own beside the default one. The program's
# exit code is passed through.
set -u

prefix=""
if [ "${1:-}" = "--prefix" ]; then prefix=$2; shift 2; fi
[ -n "$prefix" ] || { echo "wine-run: --prefix DIR is required" >&2; exit 2; }
[ $# -ge 1 ] || { echo "wine-run: no program given" >&2; exit 2; }

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=wine-env.sh
. "$here/wine-env.sh"
# shellcheck source=xvfb.sh
. "$here/xvfb.sh"
bits=$(pe_word_size "$1") || { echo "wine-run: $1 is not a Windows program" >&2; exit 2; }
wine_environment "$bits" "$prefix"

if [ -z "${DISPLAY:-}" ]; then
  start_xvfb || { echo "wine-run: could not start Xvfb" >&2; exit 2; }
  trap 'stop_xvfb "$WINEPREFIX"' EXIT
fi

"$here/wine-prefix.sh" "$prefix" "$bits" || exit 2

# Wine's system processes (services, plugplay, ...) inherit the output of the
# program that starts them and outlive it, so a test runner reading that
# output would wait for them. Start them first, detached from our output,
# unless the caller keeps them running for this prefix (test.sh does, with a
# persistent server: ZEMKO_WINE_SERVICES_UP names the prefix).
if [ "${ZEMKO_WINE_SERVICES_UP:-}" != "$WINEPREFIX" ]; then
  "$WINE" cmd /c exit >/dev/null 2>&1 </dev/null
fi

"$WINE" "$@" </dev/null
rc=$?
exit $rc
