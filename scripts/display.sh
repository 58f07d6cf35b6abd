# Sourced by the scripts that show windows: without a display, start one Xvfb for this run
# (1280x1024, 24 bits) and stop it when the script ends.
start_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  start_xvfb || return 1
  trap stop_display EXIT
}

# Starts an Xvfb of its own on a free display number and points DISPLAY at it (xvfb_pid).
start_xvfb() {
  local fifo; fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -screen 0 1280x1024x24 -nolisten tcp -displayfd 3 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  local number; read -r -t 20 number <"$fifo" || true
  rm -f "$fifo"
  if [ -z "$number" ]; then echo "no display: Xvfb did not start" >&2; return 1; fi
  export DISPLAY=":$number"
}

stop_display() {
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=
}
