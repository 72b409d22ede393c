# Sourced by the screenshot scripts: Zemko.exe under Wine on a virtual
# display of its own, in a private prefix, its main window at a fixed place.
#   zemko_session_environment BUILD_DIR   the Wine of the build's word size
#                                         and the private prefix (set first,
#                                         so that the clean-up finds them)
#   start_zemko_session PLACE             display, prefix, Wine's services,
#                                         then Zemko with its main window at
#                                         (PLACE, PLACE); sets zemko_pid
#   end_zemko_session                     Zemko if still running, this
#                                         prefix's Wine processes, the display
# shellcheck source=wine-env.sh
. "$root/scripts/wine-env.sh"
# shellcheck source=xvfb.sh
. "$root/scripts/xvfb.sh"

xvfb_pid=""
zemko_pid=""

zemko_session_environment() {  # build dir
  zemko=$1/src/app/Zemko.exe
  bits=$(pe_word_size "$zemko")
  use_wine "$bits"
  export WINEPREFIX=$1/screenshot-prefix
  export WINEDEBUG=-all LC_ALL=ru_RU.UTF-8
  # Keep Wine from offering to install Mono or Gecko into the prefix.
  export WINEDLLOVERRIDES="mscoree,mshtml="
}

start_zemko_session() {  # left and top of the main window
  local value
  start_xvfb
  xvfb_pid=$XVFB_PID
  "$root/scripts/wine-prefix.sh" "$WINEPREFIX" "$bits"
  # Wine's services keep the output of the program that starts them open:
  # start them first, detached.
  "$WINE" cmd /c exit >/dev/null 2>&1 </dev/null
  # The main window opens where the registry says: a fixed place on the screen.
  for value in Top Left; do
    "$WINE" reg add 'HKCU\software\Vadrex\Zemko' /v "$value" /t REG_DWORD /d "$1" /f \
      >/dev/null 2>&1 </dev/null
  done
  "$WINE" "$zemko" >/dev/null 2>&1 </dev/null &
  zemko_pid=$!
}

end_zemko_session() {
  [ -z "$zemko_pid" ] || kill "$zemko_pid" 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
