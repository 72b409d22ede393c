# shellcheck shell=bash
# Sourced: the one place that starts and stops a virtual X display.
#   start_xvfb               starts Xvfb on a free display number; exports
#                            DISPLAY and sets XVFB_PID
#   stop_wine_servers DIR... ends the Wine server (and so every Wine process)
#                            of each of these prefixes that exists
#   stop_xvfb DIR...         stop_wine_servers DIR..., then the display that
#                            start_xvfb started in this shell, if any: Wine's
#                            helpers hold a display open until their server ends
# XVFB_PID belongs to this shell alone: a child that inherited it must never
# stop its parent's display.
XVFB_PID=""

start_xvfb() {
  local fifo fd num
  fifo=$(mktemp -u /tmp/zemko-xvfb.XXXXXX)
  mkfifo "$fifo" || return 1
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  exec {fd}<"$fifo"
  read -r -t 60 num <&"$fd" || true
  exec {fd}<&-
  rm -f "$fifo"
  if [ -z "$num" ]; then
    echo "xvfb: the virtual display did not start" >&2
    kill "$XVFB_PID" 2>/dev/null
    XVFB_PID=""
    return 1
  fi
  export DISPLAY=":$num"
}

stop_wine_servers() {  # prefixes
  local prefix
  for prefix in "$@"; do
    [ -d "$prefix" ] || continue
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  done
}

stop_xvfb() {  # prefixes whose Wine servers use the display
  stop_wine_servers "$@"
  [ -n "$XVFB_PID" ] || return 0
  kill "$XVFB_PID" 2>/dev/null || true
  wait "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=""
}
