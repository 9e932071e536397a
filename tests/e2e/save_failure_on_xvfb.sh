#!/usr/bin/env bash
# A settings file that cannot be written, on a real X server with a tray: a
# folder stands in its place, so the new pet's first save fails and the tray
# icon says so in a message. Closing the device then asks before the pet is
# lost; with the folder gone, Retry saves it and the program ends.
# Usage: save_failure_on_xvfb.sh PROGRAM
set -euo pipefail

program=$1

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  [ -f "$work/program.log" ] && sed 's/^/  program: /' "$work/program.log"
  exit 1
}

. "$(dirname "$0")/../lib/wait_for.sh"
. "$(dirname "$0")/../lib/x_session.sh"
need_tools Xvfb trayer xdotool

start_xvfb
start_tray

mkdir -m 700 "$work/runtime"
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
ini="$XDG_CONFIG_HOME/Nibbet Simulator/Nibbet Simulator.ini"
mkdir -p "$ini"
env -u DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM=xcb "$program" Save Pet >"$work/program.log" 2>&1 &
program_pid=$!
pids+=("$program_pid")

wait_for "the device window" xdotool search --onlyvisible --name '^Save Pet$'
# The tray's message: a window under the program's name, as the icon's, but
# larger; it points at the icon in the top right corner.
ours() { xdotool search --onlyvisible --classname nibbet-simulator 2>/dev/null || true; }
message_window() {
  local window
  for window in $(ours); do
    [ "$(xdotool getwindowname "$window")" = "Nibbet Simulator" ] || continue
    eval "$(xdotool getwindowgeometry --shell "$window")"
    if [ "$WIDTH" -gt 64 ]; then
      echo "$window"
      return 0
    fi
  done
  return 1
}
wait_for "the tray's message" message_window
message=$(message_window)
eval "$(xdotool getwindowgeometry --shell "$message" | sed 's/^/MESSAGE_/')"
[ $((MESSAGE_X + MESSAGE_WIDTH)) -gt 700 ] || fail "the message is not by the tray icon"
grep -q "cannot save to .*Nibbet Simulator.ini: it is a folder" "$work/program.log" ||
  fail "no reason for the failed save on stderr"
# A click puts it away.
xdotool mousemove $((MESSAGE_X + 20)) $((MESSAGE_Y + 30)) click 1
no_message() { ! message_window; }
wait_for "the message to go" no_message

# Enter opens the menu; its last item is Close.
device=$(xdotool search --onlyvisible --name '^Save Pet$' | head -n1)
eval "$(xdotool getwindowgeometry --shell "$device" | sed 's/^/DEVICE_/')"
xdotool mousemove $((DEVICE_X + 30)) $((DEVICE_Y + 120)) click 1
before=$(ours | wc -l)
xdotool key Return
menu_open() { [ "$(ours | wc -l)" -gt "$before" ]; }
wait_for "the popup menu" menu_open
xdotool key Up Return

wait_for "the question before quitting" xdotool search --onlyvisible --name 'cannot save'
kill -0 "$program_pid" || fail "the program ended without asking"
[ -d "$ini" ] || fail "the folder in the settings file's place went away"

rmdir "$ini"
# Retry is the default button. The search may also find a window that is
# closing (the tray's message), so press until the program has ended.
retried() {
  local question
  question=$(xdotool search --onlyvisible --name 'cannot save' 2>/dev/null | tail -n1)
  if [ -n "$question" ]; then
    xdotool windowfocus "$question" key --window "$question" Return 2>/dev/null || true
  fi
  ! kill -0 "$program_pid" 2>/dev/null
}
wait_for "the program to end after Retry" retried
wait "$program_pid" || fail "the program did not end cleanly"

value() { sed -n "/^\[Save%20Pet\]/,/^\[/p" "$ini" | sed -n "s/^$1=//p"; }
[ "$(value InsulatingSheet)" = 1 ] || fail "InsulatingSheet is '$(value InsulatingSheet)', not 1"
grep -q "saved to .* again" "$work/program.log" || fail "no word of the save that worked"
echo "PASS: the failed save shown in the tray, asked about at closing, saved on Retry"
