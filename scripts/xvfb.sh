# Sourced: start_xvfb starts a virtual X display on a free number and sets
# DISPLAY and XVFB_PID.
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
  [ -n "$num" ] || { echo "xvfb: the virtual display did not start" >&2; kill "$XVFB_PID" 2>/dev/null; return 1; }
  export DISPLAY=":$num"
  export XVFB_PID
}
