#!/usr/bin/env bash
# A brand-new pet raised to a baby on a real X server with a tray, then
# killed outright and started again: the mouse pulls the sheet, the egg
# shows; the hidden menu's code typed and the baby picked from its
# Characters list by keyboard (it hatches from a fresh egg within seconds,
# where a new egg takes a minute of wall time); the arrow keys feed it a
# meal and a snack, which answers both of its calls. The once-a-minute save
# must hold the baby and its care. After SIGKILL the program starts again
# with the pet as saved, and shows it.
# Usage: kill_and_restart_on_xvfb.sh PROGRAM
set -euo pipefail

program=$1

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  for log in "$work"/program*.log; do
    [ -f "$log" ] && sed "s/^/  $(basename "$log" .log): /" "$log"
  done
  exit 1
}

. "$(dirname "$0")/../lib/wait_for.sh"
. "$(dirname "$0")/../lib/x_session.sh"
need_tools Xvfb trayer xdotool import compare

# A private X server on a free display, with a tray.
start_xvfb
start_tray

mkdir -m 700 "$work/runtime"
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
ini="$XDG_CONFIG_HOME/Nibbet Simulator/Nibbet Simulator.ini"
name="Kill Test"
# The name is the whole command line, here two words.
words=(Kill Test)
section() { sed -n '/^\[Kill%20Test\]/,/^\[/{/^\[/d;p}' "$ini" 2>/dev/null | sort; }
value() { section | sed -n "s/^$1=//p"; }

start_program() {
  # No session bus: the tray is the X server's, whatever the desktop around.
  env -u DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM=xcb "$program" "${words[@]}" >"$work/$1.log" 2>&1 &
  program_pid=$!
  pids+=("$program_pid")
  wait_for "the device window" xdotool search --onlyvisible --name "^$name\$"
  device=$(xdotool search --onlyvisible --name "^$name\$" | head -n1)
  eval "$(xdotool getwindowgeometry --shell "$device" | sed 's/^/DEVICE_/')"
}

# Regions of the device, in pixels from its top-left corner: the LCD's dot
# matrix, the food icon (top left), the attention icon (bottom right) and
# the three buttons.
shot() {
  local w h x y
  read -r w h x y <<<"$2"
  import -window root -crop "${w}x${h}+$((DEVICE_X + x))+$((DEVICE_Y + y))" "$work/$1.png"
}
dots() { shot "$1" "64 32 41 76"; }
food_icon() { shot "$1" "16 14 38 58"; }
attention_icon() { shot "$1" "20 14 88 110"; }
button_a() { shot "$1" "20 18 40 137"; }
button_b() { shot "$1" "20 18 62 142"; }
button_c() { shot "$1" "20 18 84 137"; }
same() { [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1)" = 0 ]; }
# Whether region $1 shot now differs from shot $2.
now_differs() { "$1" now && ! same now "$2"; }
now_same() { "$1" now && same now "$2"; }
keys() { xdotool key --delay 80 "$@"; }
focus_device() { xdotool mousemove $((DEVICE_X + 30)) $((DEVICE_Y + 120)) click 1; }

# --- A new toy: its sheet pulled out with the mouse shows the egg.
start_program program
new_pet_saved() { [ "$(value InsulatingSheet)" = 1 ] && [ "$(value CharacterNo)" = 0 ]; }
wait_for "a new pet saved with its sheet in" new_pet_saved
wait_for "the sheet window" xdotool search --onlyvisible --name '^Insulating Sheet$'
sheet=$(xdotool search --onlyvisible --name '^Insulating Sheet$' | head -n1)
eval "$(xdotool getwindowgeometry --shell "$sheet" | sed 's/^/SHEET_/')"
dots blank
attention_icon quiet
grip_x=$((SHEET_X + 62)) grip_y=$((SHEET_Y + 17))
xdotool mousemove "$grip_x" "$grip_y" mousedown 1
for step in 10 20 30 40 50; do xdotool mousemove $((grip_x + step)) "$grip_y"; done
xdotool mouseup 1
wait_for "the egg on the screen" now_differs dots blank
dots egg
now_same attention_icon quiet || fail "the egg calls for attention"

# --- The hidden menu's code, then Enter opens the menu on the device; Down
# skips the disabled title line to Cheats, Right opens it on Characters,
# Right again opens the characters on the egg; the next is the baby.
focus_device
keys q z x w
windows() { { xdotool search --onlyvisible --classname nibbet-simulator || true; } | wc -l; }
before=$(windows)
keys Return
menu_open() { [ "$(windows)" -gt "$before" ]; }
wait_for "the popup menu" menu_open
keys Down Right
submenus() { [ "$(windows)" -gt "$((before + $1))" ]; }
wait_for "the Cheats submenu" submenus 1
keys Right
wait_for "the Characters submenu" submenus 2
keys Down Return
menu_closed() { [ "$(windows)" -le "$before" ]; }
wait_for "the menus to close" menu_closed

# The baby calls for food and play at once: the attention icon lights up.
baby_shown() { now_differs attention_icon quiet && now_differs dots egg && now_differs dots blank; }
wait_for "the baby and its calls" baby_shown

# --- Care by keys. Each key is held until the device shows its button
# pressed, which it draws in the same step as the press's effect, so no
# effect is missed however short it is. Left (A) lights the food icon, Down
# (B) opens the food menu on the meal; Left moves the arrow to the snack,
# Down chooses it, and after eating the menu is back. Left moves the arrow
# to the meal, Down chooses it, and Right (C) leaves the menu.
press() {
  local key=$1 button=$2
  "$button" released
  xdotool keydown "$key"
  wait_for "$key pressed" now_differs "$button" released
  xdotool keyup "$key"
  wait_for "$key released" now_same "$button" released
}
focus_device
food_icon unlit
press Left button_a
now_differs food_icon unlit || fail "A did not light the food icon"
dots main_screen
press Down button_b
dots meal_line
same meal_line main_screen && fail "B did not open the food menu"
press Left button_a
dots snack_line
same snack_line meal_line && fail "A did not move the arrow to the snack"
press Down button_b
wait_for "the snack eaten, the menu back" now_same dots snack_line
press Left button_a
now_same dots meal_line || fail "A did not move the arrow back to the meal"
press Down button_b
wait_for "the meal eaten, the menu back" now_same dots meal_line
press Right button_c
now_differs dots meal_line || fail "C did not leave the food menu"
now_same attention_icon quiet || fail "a call is still open after a meal and a snack"

# --- The minute's save holds the baby and the care it had.
cared_for_baby_saved() {
  [ "$(value CharacterNo)" = 1 ] && [ "$(value CareWhenNeed)" = 2 ] && [ "$(value SnackCount)" = 1 ]
}
wait_for "the minute's save of the cared-for baby" cared_for_baby_saved
[ "$(value InsulatingSheet)" = 2 ] || fail "InsulatingSheet is '$(value InsulatingSheet)', not 2 (pulled)"
[ "$(value FeedMenuIndex)" = 0 ] || fail "FeedMenuIndex is '$(value FeedMenuIndex)', not 0 (the meal, chosen last)"
[ "$(value Weight)" = 5 ] || fail "the baby's Weight is '$(value Weight)', not 5"
section >"$work/saved-before-kill"

# --- Killed outright, right after that save: the next one is a minute away.
kill -KILL "$program_pid"
wait "$program_pid" 2>/dev/null || true
section >"$work/saved-at-kill"
cmp -s "$work/saved-before-kill" "$work/saved-at-kill" || fail "the saved pet changed while the program was killed"

# --- Started again, the same pet: the device shows the baby at once (no
# sheet to pull), the stale single-instance lock is no obstacle.
start_program program-restarted
wait_for "the baby on the restarted device" now_differs dots blank
now_differs dots egg || fail "the restarted device shows the egg"
# A call open at the save (the baby soon gets hungry again) shows again.
if [ "$(sed -n 's/^AttendTimeLeft=//p' "$work/saved-before-kill")" -gt 0 ]; then
  wait_for "the saved call on the attention icon" now_differs attention_icon quiet
else
  now_same attention_icon quiet || fail "the restarted device shows a call that was not saved"
fi
# Closing saves what was loaded; only the clock of the current minute and
# the walking frame may have moved on, unless a minute passed meanwhile.
kill -TERM "$program_pid"
wait "$program_pid" || fail "the restarted program did not end cleanly"
section >"$work/saved-after-restart"
ticking='^(SecondCount|IntervalCount|CurrentTempChar|AttendTimeLeft)='
if [ "$(value MinuteCount)" = "$(sed -n 's/^MinuteCount=//p' "$work/saved-before-kill")" ]; then
  diff <(grep -Ev "$ticking" "$work/saved-before-kill") <(grep -Ev "$ticking" "$work/saved-after-restart") ||
    fail "the restarted pet differs from its last save"
else
  # The minute rules ran once more (a very slow start): what only care and
  # the options change must still be as saved.
  kept='^(CharacterNo|CareWhenNeed|SnackCount|PlayCounter|FeedMenuIndex|MaxMinutes|Age|Sound|AutoShow|AlwaysOnTop|InsulatingSheet|Plugins|CurrentColor)='
  diff <(grep -E "$kept" "$work/saved-before-kill") <(grep -E "$kept" "$work/saved-after-restart") ||
    fail "the restarted pet lost what it had before its last save"
fi
echo "PASS: sheet pulled, baby picked from the menu, fed by keys, saved; killed and restarted with its last save"
