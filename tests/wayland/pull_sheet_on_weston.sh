#!/usr/bin/env bash
# A brand-new pet on a Wayland compositor, where no program can place its
# windows: the sheet shows pushed into the device's side within the device's
# own window, and a pointer drag on its grip hatches the egg without the
# compositor moving the window; SIGTERM saves the sheet out.
#
# Weston's headless backend has no input device to drive, so Weston runs on
# its X11 backend inside Xvfb and xdotool moves the pointer. Its kiosk shell
# centres a window it cannot fill, so the device's place is known; the exact
# place comes from the pointer's entry into the window.
# Usage: pull_sheet_on_weston.sh PROGRAM
set -euo pipefail

program=$1
exec 3>&1
for tool in weston weston-screenshooter Xvfb xdotool compare convert; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed"
    exit 77
  fi
done

work=$(mktemp -d)
pids=()
program_pid=""
cleanup() {
  if [ -n "$program_pid" ]; then kill -KILL "$program_pid" 2>/dev/null || true; fi
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  {
    echo "FAIL: $*"
    if [ -f "$work/weston.log" ]; then tail -n 20 "$work/weston.log" | sed 's/^/  weston: /'; fi
    if [ -f "$work/program.err" ]; then
      grep -v '^\[' "$work/program.err" | tail -n 20 | sed 's/^/  program: /' || true
    fi
  } >&3
  exit 1
}

. "$(dirname "$0")/../lib/wait_for.sh"

# A private X server on a free display.
exec 4>"$work/display"
Xvfb -displayfd 4 -screen 0 800x600x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
wait_for "the X server" test -s "$work/display"
export DISPLAY=":$(head -n1 "$work/display")"
wait_for "the X server to answer" xdotool getmouselocation

# A private compositor in a window of that server.
output_width=640 output_height=480
runtime=$work/runtime
mkdir -m 700 "$runtime"
socket="nibbet-weston-$$-$RANDOM"
cat >"$work/weston.ini" <<'INI'
[core]
idle-time=0

[shell]
background-color=0xff00ff00
INI
XDG_RUNTIME_DIR=$runtime weston --backend=x11-backend.so --use-pixman \
  --width=$output_width --height=$output_height --shell=kiosk-shell.so --debug \
  --socket="$socket" --config="$work/weston.ini" --log="$work/weston.log" \
  >"$work/weston.out" 2>&1 &
weston_pid=$!
pids+=("$weston_pid")
wayland() { XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$socket "$@"; }
weston_up() {
  if ! kill -0 "$weston_pid"; then
    if grep -q "Failed to load module" "$work/weston.log" "$work/weston.out"; then
      echo "SKIP: weston lacks its X11 backend or kiosk shell" >&3
      exit 77
    fi
    fail "weston ended early"
  fi
  [ -S "$runtime/$socket" ] && grep -q 'x11 output .*window id' "$work/weston.log" || return 1
  # The socket file appears before the shell is up: a client must find it.
  if command -v weston-info >/dev/null; then wayland weston-info | grep -q xdg_wm_base; fi
}
wait_for "weston's window" weston_up
output=$(sed -n 's/.*x11 output .*window id \([0-9]*\).*/\1/p' "$work/weston.log" | head -n1)

# The output as it shows now, into $1.
shoot() {
  local dir=$work/shot
  rm -rf "$dir" && mkdir "$dir"
  (cd "$dir" && wayland weston-screenshooter) && mv "$dir"/*.png "$1"
}

# A brand-new pet: no settings at all.
config=$work/config
ini="$config/Nibbet Simulator/Nibbet Simulator.ini"
mkdir -p "$config"
env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland \
  XDG_CONFIG_HOME="$config" WAYLAND_DEBUG=1 "$program" PullPet \
  >"$work/program.out" 2>"$work/program.err" &
program_pid=$!
program_running() {
  local state
  state=$(ps -o stat= -p "$program_pid") || return 1
  [[ $state != Z* ]]
}
window_up() {
  if ! program_running; then
    if grep -q 'Could not find the Qt platform plugin "wayland"' "$work/program.err"; then
      echo "SKIP: Qt's Wayland platform plugin (qt6-wayland) is not installed" >&3
      exit 77
    fi
    fail "the program ended before its window came up"
  fi
  grep -Eq 'wl_surface@[0-9]+\.enter\(wl_output@' "$work/program.err"
}
wait_for "the device window on the output" window_up

# One window: the sheet is inside the device's.
toplevels=$(grep -c 'get_toplevel(' "$work/program.err" || true)
[ "$toplevels" = 1 ] || fail "the program made $toplevels toplevel windows, not 1"
# The window takes the pointer right of the device too, where the sheet sticks out
# (the device's outline ends at x=142).
sheet_input() {
  sed -nE 's/.*wl_region@[0-9]+\.add\((-?[0-9]+), (-?[0-9]+), ([0-9]+), ([0-9]+)\).*/\1 \3/p' \
    "$work/program.err" | awk '$1 + $2 > 142 { found = 1 } END { exit !found }'
}
sheet_input || fail "the window's input shape does not hold the sheet"

# Where the window is, exactly: the pointer enters it on the device's body.
twips_to_px() { echo $((($1 + 7) / 15)); }
width=$(twips_to_px 3435) height=$(twips_to_px 2970)
probe_x=$(((output_width - width) / 2 + 20)) probe_y=$(((output_height - height) / 2 + 125))
xdotool mousemove --window "$output" "$probe_x" "$probe_y"
entered() { grep -Eq 'wl_pointer@[0-9]+\.enter\([0-9]+, wl_surface@' "$work/program.err"; }
wait_for "the pointer to enter the device" entered
enter=$(grep -Eo 'wl_pointer@[0-9]+\.enter\([0-9]+, wl_surface@[0-9]+, [-0-9.]+, [-0-9.]+\)' \
  "$work/program.err" | head -n1)
enter_x=$(sed -E 's/.*, (-?[0-9]+)[.0-9]*, [-0-9.]+\)$/\1/' <<<"$enter")
enter_y=$(sed -E 's/.*, (-?[0-9]+)[.0-9]*\)$/\1/' <<<"$enter")
left=$((probe_x - enter_x)) top=$((probe_y - enter_y))

# The LCD, blank while the device is off.
lcd() {
  shoot "$work/screen.png" &&
    convert "$work/screen.png" -crop "70x60+$((left + 38))+$((top + 40))" +repage "$1"
}
lcd_differs() {
  lcd "$work/lcd-now.png"
  local pixels
  pixels=$(compare -metric AE "$work/lcd-blank.png" "$work/lcd-now.png" null: 2>&1 || true)
  [ "${pixels%% *}" != 0 ]
}
lcd "$work/lcd-blank.png" || fail "no screenshot of the output"

# Pull the sheet out by its grip, to the right: deep in, its left is 60 + 700
# twips inside the device's right edge, 1600 twips down.
grip_x=$((left + $(twips_to_px $((2175 - 60 - 700))) + 62))
grip_y=$((top + $(twips_to_px 1600) + 17))
xdotool mousemove --window "$output" "$grip_x" "$grip_y" mousedown 1
for step in 10 20 30 40 50; do xdotool mousemove --window "$output" $((grip_x + step)) "$grip_y"; done
xdotool mouseup 1
wait_for "the egg on the screen" lcd_differs
# The drag was the sheet's: the compositor was never asked to move the window.
if grep -Eq 'xdg_toplevel@[0-9]+\.move\(' "$work/program.err"; then
  fail "the drag on the sheet moved the window"
fi

kill -TERM "$program_pid"
program_ended() { ! program_running; }
wait_for "the program to end" program_ended
status=0
wait "$program_pid" || status=$?
program_pid=""
[ "$status" = 0 ] || fail "the program ended with status $status"

section=$(sed -n '/^\[PullPet\]/,/^\[/p' "$ini")
value() { sed -n "s/^$1=//p" <<<"$section"; }
[ "$(value InsulatingSheet)" = 2 ] || fail "InsulatingSheet is '$(value InsulatingSheet)', not 2"
[ "$(value CharacterNo)" = 0 ] || fail "CharacterNo is '$(value CharacterNo)', not 0"
echo "PASS: a new pet's sheet in the device window, pulled with the pointer on Weston, hatched the egg"
