# shellcheck shell=bash
# Sourced: the one place that says which Wine runs which program, and with
# what environment.
#   pe_word_size FILE   prints 32 or 64, from the PE file's machine type
#   use_wine 32|64      exports WINEARCH and WINELOADER for that word size and
#                       sets WINE to its loader
#   locale_prefix DIR   prints the prefix of DIR for the locale of this run:
#                       DIR under the default ru_RU.UTF-8, DIR-en_US under
#                       ZEMKO_LOCALE=en_US.UTF-8, and so on
#   wine_environment 32|64 DIR
#                       use_wine, then exports WINEPREFIX (locale_prefix DIR),
#                       ZEMKO_LOCALE and LC_ALL (ZEMKO_LOCALE, by default
#                       ru_RU.UTF-8: ANSI code page 1251), WINEDEBUG=-all and
#                       WINEDLLOVERRIDES: "mscoree,mshtml=" followed by what
#                       the caller had set there
#   win32_unavailable   prints why 32-bit Wine cannot run here and fails, or
#                       succeeds silently where it can
#   pick_build WHO      sets bits, build and preset (CMakePresets.json) to the
#                       32-bit program where this machine can run it, else to
#                       the x86-64 build, and says which (WHO names the caller)
# /usr/bin/wine picks the 32-bit loader whenever wine32 is installed, even
# where it cannot execute, so the loaders are called directly.
WINE32_LOADER=/usr/lib/wine/wine
WINE64_LOADER=/usr/lib/wine/wine64
WINE32_SERVER=/usr/lib/wine/wineserver32

PE_MACHINE_I386=014c
PE_MACHINE_AMD64=8664
ZEMKO_DEFAULT_LOCALE=ru_RU.UTF-8
# Keeps Wine from offering to install Mono or Gecko into the prefix.
WINE_BASE_OVERRIDES="mscoree,mshtml="

pe_word_size() {
  local file=$1 header machine
  # The PE header's offset is at 0x3C; the machine type follows "PE\0\0".
  header=$(od -An -tu4 -j60 -N4 "$file" 2>/dev/null | tr -d ' ')
  [ -n "$header" ] || return 1
  machine=$(od -An -tx2 -j$((header + 4)) -N2 "$file" 2>/dev/null | tr -d ' ')
  case $machine in
    "$PE_MACHINE_I386") echo 32 ;;
    "$PE_MACHINE_AMD64") echo 64 ;;
    *) return 1 ;;
  esac
}

use_wine() {
  case $1 in
    32) WINE=$WINE32_LOADER; export WINEARCH=win32 ;;
    64) WINE=$WINE64_LOADER; export WINEARCH=win64 ;;
    *) echo "wine-env: no word size $1" >&2; return 1 ;;
  esac
  # Programs that a program starts use the same loader.
  export WINELOADER=$WINE
}

locale_prefix() {  # the prefix of the default locale
  local locale=${ZEMKO_LOCALE:-$ZEMKO_DEFAULT_LOCALE}
  # Wine keeps the code page in the prefix: each locale gets its own.
  if [ "$locale" = "$ZEMKO_DEFAULT_LOCALE" ]; then
    echo "$1"
  else
    echo "$1-${locale%%.*}"
  fi
}

wine_environment() {  # word size, the prefix of the default locale
  use_wine "$1" || return 1
  export ZEMKO_LOCALE=${ZEMKO_LOCALE:-$ZEMKO_DEFAULT_LOCALE}
  export LC_ALL=$ZEMKO_LOCALE
  WINEPREFIX=$(locale_prefix "$2")
  export WINEPREFIX
  export WINEDEBUG=-all
  # A caller's environment that already came through here holds the base.
  local added=${WINEDLLOVERRIDES:-}
  case $added in
    "$WINE_BASE_OVERRIDES") added="" ;;
    "$WINE_BASE_OVERRIDES;"*) added=${added#"$WINE_BASE_OVERRIDES;"} ;;
  esac
  export WINEDLLOVERRIDES="$WINE_BASE_OVERRIDES${added:+;$added}"
}

win32_unavailable() {
  if [ "${ZEMKO_SKIP_WIN32:-0}" = 1 ]; then
    echo "ZEMKO_SKIP_WIN32=1 is set"
    return 0
  fi
  if [ ! -x "$WINE32_SERVER" ] || [ ! -x "$WINE32_LOADER" ]; then
    echo "32-bit Wine (wine32) is not installed"
    return 0
  fi
  # Only running a 32-bit binary tells: some machines offer no 32-bit mode
  # although every package installs.
  local out
  if ! out=$("$WINE32_SERVER" --version 2>&1); then
    echo "this machine cannot execute 32-bit code (${out##*: })"
    return 0
  fi
  return 1
}

# shellcheck disable=SC2034  # bits, build and preset are for the caller
pick_build() {
  local why
  if why=$(win32_unavailable); then
    bits=64 build=build/win64 preset=win64
    echo "$1: the x86-64 build under 64-bit Wine ($why)"
  else
    bits=32 build=build/win preset=win32
    echo "$1: the 32-bit program under 32-bit Wine"
  fi
}
