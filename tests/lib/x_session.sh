# Sourced by the test scripts after wait_for.sh: the tools a test needs, a
# private X server and a tray. Expects $work (a scratch folder) and the
# array pids, whose processes the script's own cleanup ends.

# Skips the test (exit 77) when a tool is missing.
need_tools() {
  local tool
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null; then
      echo "SKIP: $tool is not installed"
      exit 77
    fi
  done
}

# Xvfb on a free display, answering, as $DISPLAY.
start_xvfb() {
  local fd
  exec {fd}>"$work/display"
  Xvfb -displayfd "$fd" -screen 0 800x600x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  exec {fd}>&-
  wait_for "the X server" test -s "$work/display"
  export DISPLAY=":$(head -n1 "$work/display")"
  wait_for "the X server to answer" xdotool getmouselocation
}

# A panel with a notification area in the top right corner.
start_tray() {
  trayer --edge top --align right --widthtype pixel --width 100 --height 24 >/dev/null 2>&1 &
  pids+=($!)
  wait_for "the tray" xdotool search --class trayer
}
