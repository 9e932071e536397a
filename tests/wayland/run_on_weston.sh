#!/usr/bin/env bash
# The program on a Wayland compositor (Weston's headless backend): a living
# pet comes up as a shaped toplevel and, asked to end with SIGTERM, ends
# cleanly with its whole record saved.
# Usage: run_on_weston.sh PROGRAM
set -euo pipefail

program=$1
# Kept for messages from inside wait_for, which silences what it polls.
exec 3>&1
if ! command -v weston >/dev/null; then
  echo "SKIP: weston is not installed"
  exit 77
fi

work=$(mktemp -d)
weston_pid="" program_pid=""
cleanup() {
  if [ -n "$program_pid" ]; then kill -KILL "$program_pid" 2>/dev/null || true; fi
  if [ -n "$weston_pid" ]; then kill -TERM "$weston_pid" 2>/dev/null || true; fi
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  {
    echo "FAIL: $*"
    if [ -f "$work/weston.log" ]; then tail -n 20 "$work/weston.log" | sed 's/^/  weston: /'; fi
    # The protocol trace is long; what Qt itself said is enough.
    if [ -f "$work/program.err" ]; then
      grep -v '^\[' "$work/program.err" | tail -n 20 | sed 's/^/  program: /' || true
    fi
  } >&3
  exit 1
}

. "$(dirname "$0")/../lib/wait_for.sh"

# A private compositor: its own runtime folder and a socket no one else uses.
runtime=$work/runtime
mkdir -m 700 "$runtime"
socket="nibbet-weston-$$-$RANDOM"
cat >"$work/weston.ini" <<'EOF'
[core]
idle-time=0

[shell]
panel-position=none
locking=false
animation=none
startup-animation=none
EOF
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket="$socket" \
  --config="$work/weston.ini" --log="$work/weston.log" >"$work/weston.out" 2>&1 &
weston_pid=$!

weston_running() { kill -0 "$weston_pid"; }
socket_ready() {
  weston_running || fail "weston ended early"
  [ -S "$runtime/$socket" ] || return 1
  # The socket file appears just before it listens: a client must get in.
  if command -v weston-info >/dev/null; then
    XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$socket weston-info
  fi
}
wait_for "weston's socket" socket_ready

# A pet whose sheet is out, so it lives and ticks from the start.
config=$work/config
ini="$config/Nibbet Simulator/Nibbet Simulator.ini"
mkdir -p "$(dirname "$ini")"
printf '[WaylandPet]\nInsulatingSheet=0\n' >"$ini"

# WAYLAND_DEBUG traces the protocol on stderr: the compositor telling the
# program its surface entered an output is the sign its window is up.
env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland \
  XDG_CONFIG_HOME="$config" WAYLAND_DEBUG=1 "$program" WaylandPet \
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
grep -q 'xdg_toplevel@[0-9]*\.set_title("WaylandPet")' "$work/program.err" ||
  fail "the toplevel is not titled with the pet's name"
# The device's outline reaches the compositor as the window's input shape.
grep -Eq 'wl_surface@[0-9]+\.set_input_region\(wl_region@' "$work/program.err" ||
  fail "the window's shape never reached the compositor"

kill -TERM "$program_pid"
program_ended() { ! program_running; }
wait_for "the program to end" program_ended
status=0
wait "$program_pid" || status=$?
program_pid=""
[ "$status" = 0 ] || fail "the program ended with status $status"

# The pet's whole record, saved on the way out.
section=$(sed -n '/^\[WaylandPet\]/,/^\[/p' "$ini")
value() { sed -n "s/^$1=//p" <<<"$section"; }
for key in InsulatingSheet InsulatingSheetWidthPushed Plugins AlwaysOnTop AttendTimeLeft \
  AutoShow CharacterNo CurrentColor FeedMenuIndex FormVisible IntervalCount Left \
  LightMenuIndex LightOff MinuteCount MaxMinutes SecondCount Sound SoundType PlayType \
  CurrentTempChar Top TotalNeedCount Age Weight Discipline Happiness Hunger Sickness Dung \
  AttentionHungry AttentionHappy AttentionDiscipline AttentionSleep SleepAction DyingAction \
  DyingTimeLeft DisciplineWhenNeed PlayCounter SnackCount NeedCount CareWhenNeed; do
  grep -q "^$key=" <<<"$section" || fail "the saved pet has no $key"
done
[ "$(value InsulatingSheet)" = 0 ] || fail "InsulatingSheet is '$(value InsulatingSheet)', not 0"
[ "$(value FormVisible)" = True ] || fail "FormVisible is '$(value FormVisible)', not True"
echo "PASS: the device came up on Weston, shaped, and SIGTERM saved the whole pet"
