# shellcheck shell=bash
# Sourced by the scripts that show Zemko on a virtual display (the screenshot
# scripts, start.sh without a display): Zemko.exe under Wine on a display of
# its own, in a private prefix. $root is the project root.
#   zemko_session_environment BUILD_DIR [PREFIX]
#                           the Wine of the build's word size and the prefix
#                           (default BUILD_DIR/screenshot-prefix); set first,
#                           so that the clean-up finds them
#   start_zemko_session PLACE
#                           display, prefix, Wine's services, then Zemko;
#                           sets zemko_pid. PLACE is where the main window
#                           opens: a number N for (N, N), "first" for a first
#                           start (no stored position), "kept" for where the
#                           prefix last saved it
#   end_zemko_session       Zemko if still running, this prefix's Wine
#                           processes, the display
# shellcheck source=wine-env.sh disable=SC2154  # root is the caller's
. "$root/scripts/wine-env.sh"
# shellcheck source=xvfb.sh
. "$root/scripts/xvfb.sh"

zemko_pid=""

zemko_session_environment() {  # build dir, prefix
  zemko=$1/src/app/Zemko.exe
  session_prefix=${2:-$1/screenshot-prefix}
  bits=$(pe_word_size "$zemko") || {
    echo "zemko-session: $zemko is not a Windows program" >&2
    return 1
  }
  wine_environment "$bits" "$session_prefix"
}

start_zemko_session() {  # where the main window opens
  local value
  start_xvfb || return 1
  "$root/scripts/wine-prefix.sh" "$session_prefix" "$bits" || return 1
  # Wine's services keep the output of the program that starts them open:
  # start them first, detached.
  "$WINE" cmd /c exit >/dev/null 2>&1 </dev/null
  # The main window opens where the registry says.
  case $1 in
    kept) ;;
    first)
      "$WINE" reg delete 'HKCU\software\Vadrex\Zemko' /f >/dev/null 2>&1 </dev/null ;;
    *)
      for value in Top Left; do
        "$WINE" reg add 'HKCU\software\Vadrex\Zemko' /v "$value" /t REG_DWORD /d "$1" /f \
          >/dev/null 2>&1 </dev/null
      done ;;
  esac
  "$WINE" "$zemko" >/dev/null 2>&1 </dev/null &
  zemko_pid=$!
}

end_zemko_session() {
  [ -z "$zemko_pid" ] || kill "$zemko_pid" 2>/dev/null || true
  stop_xvfb "${WINEPREFIX:-}"
}
