#!/usr/bin/env bash
# A brand-new pet on a real X server, as a person meets it: the sheet shows
# beside the device, pulling it out with the mouse hatches the egg, Enter
# opens the menu and an option is changed by keyboard, Escape hides the
# device into a tray that started after the program, and closing saves all
# of it.
# Usage: new_pet_on_xvfb.sh PROGRAM
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
need_tools Xvfb trayer xdotool import compare

# A private X server on a free display.
start_xvfb

mkdir -m 700 "$work/runtime"
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
ini="$XDG_CONFIG_HOME/Nibbet Simulator/Nibbet Simulator.ini"
# No session bus: the tray is the X server's, whatever the desktop around.
env -u DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM=xcb "$program" E2E Pet >"$work/program.log" 2>&1 &
program_pid=$!
pids+=("$program_pid")

wait_for "the device window" xdotool search --onlyvisible --name '^E2E Pet$'
# The panel starts after the program, as it may at login.
start_tray
wait_for "the sheet window" xdotool search --onlyvisible --name '^Insulating Sheet$'
device=$(xdotool search --onlyvisible --name '^E2E Pet$' | head -n1)
sheet=$(xdotool search --onlyvisible --name '^Insulating Sheet$' | head -n1)

geometry() { xdotool getwindowgeometry --shell "$1"; }
eval "$(geometry "$device" | sed 's/^/DEVICE_/')"
eval "$(geometry "$sheet" | sed 's/^/SHEET_/')"
[ "$SHEET_X" -gt "$DEVICE_X" ] || fail "the sheet is not at the device's right side"

lcd() { import -window root -crop "70x60+$((DEVICE_X + 38))+$((DEVICE_Y + 40))" "$1"; }
lcd_differs() {
  lcd "$work/lcd-now.png"
  local pixels
  pixels=$(compare -metric AE "$work/lcd-blank.png" "$work/lcd-now.png" null: 2>&1 || true)
  [ "${pixels%% *}" != 0 ]
}
lcd "$work/lcd-blank.png"

# Pull the sheet out by its grip, to the right.
grip_x=$((SHEET_X + 62)) grip_y=$((SHEET_Y + 17))
xdotool mousemove "$grip_x" "$grip_y" mousedown 1
for step in 10 20 30 40 50; do xdotool mousemove $((grip_x + step)) "$grip_y"; done
xdotool mouseup 1
wait_for "the egg on the screen" lcd_differs

# Enter opens the menu on the device; from the bottom, the eighth item up is
# Auto Show.
windows() { { xdotool search --onlyvisible --classname nibbet-simulator || true; } | wc -l; }
xdotool mousemove $((DEVICE_X + 30)) $((DEVICE_Y + 120)) click 1
before=$(windows)
xdotool key Return
menu_open() { [ "$(windows)" -gt "$before" ]; }
wait_for "the popup menu" menu_open
xdotool key Up Up Up Up Up Up Up Up Return
menu_closed() { [ "$(windows)" -le "$before" ]; }
wait_for "the menu to close" menu_closed

# Escape hides the device into the tray, once our icon is in it; before
# that the device refuses to hide.
hidden() { ! xdotool search --onlyvisible --name '^E2E Pet$'; }
escape_hides() {
  xdotool mousemove $((DEVICE_X + 30)) $((DEVICE_Y + 120)) click 1 key Escape
  for _ in $(seq 1 20); do
    hidden && return 0
    sleep 0.05
  done
  return 1
}
wait_for "the device to hide into the late tray" escape_hides

kill -TERM "$program_pid"
wait "$program_pid" || fail "the program did not end cleanly"

value() { sed -n "/^\[E2E%20Pet\]/,/^\[/p" "$ini" | sed -n "s/^$1=//p"; }
[ "$(value InsulatingSheet)" = 2 ] || fail "InsulatingSheet is '$(value InsulatingSheet)', not 2"
[ "$(value CharacterNo)" = 0 ] || fail "CharacterNo is '$(value CharacterNo)', not 0"
[ "$(value AutoShow)" = True ] || fail "AutoShow is '$(value AutoShow)', not True"
[ "$(value FormVisible)" = False ] || fail "FormVisible is '$(value FormVisible)', not False"
echo "PASS: sheet pulled, egg shown, Auto Show set by keyboard, hidden to the tray, saved"
