#!/usr/bin/env bash
# Installing to a prefix lays the program, its data folder, the desktop
# entry, the icons and the metainfo, and nothing else; the entry and the
# metainfo pass their validators; and the installed program, its prefix
# moved elsewhere, finds its data there, runs a living pet and saves it on
# SIGTERM.
# Usage: install_and_run.sh CMAKE BUILD_DIR PROGRAM_DIR APP_ID PYTHON
set -euo pipefail

cmake=$1 build=$2 program_dir=$3 app_id=$4 python=$5
# Kept for messages from inside wait_for, which silences what it polls.
exec 3>&1

work=$(mktemp -d)
program_pid=""
cleanup() {
  if [ -n "$program_pid" ]; then kill -KILL "$program_pid" 2>/dev/null || true; fi
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  {
    echo "FAIL: $*"
    if [ -f "$work/program.err" ]; then sed 's/^/  program: /' "$work/program.err"; fi
  } >&3
  exit 1
}

. "$(dirname "$0")/../lib/wait_for.sh"

"$cmake" --install "$build" --prefix "$work/first" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; fail "cmake --install failed"; }
# Moved, so that only a look-up relative to the program can find the data.
mv "$work/first" "$work/moved"
prefix=$work/moved
data=$prefix/share/nibbet-simulator
desktop=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
sizes=(16 32 48 64 128 256)

# ---- What was laid, and nothing else
{
  echo bin/nibbet-simulator
  echo "share/applications/$app_id.desktop"
  echo "share/metainfo/$app_id.metainfo.xml"
  for size in "${sizes[@]}"; do echo "share/icons/hicolor/${size}x$size/apps/$app_id.png"; done
  (cd "$program_dir" && find . -mindepth 1 ! -type d ! -path ./nibbet-simulator ! -name '*.tmp') |
    sed 's|^\./|share/nibbet-simulator/|'
} | LC_ALL=C sort >"$work/expected"
(cd "$prefix" && find . -mindepth 1 ! -type d) | sed 's|^\./||' | LC_ALL=C sort >"$work/installed"
diff -u "$work/expected" "$work/installed" >"$work/list.diff" ||
  { cat "$work/list.diff"; fail "the prefix does not hold what the install should lay"; }
[ -x "$prefix/bin/nibbet-simulator" ] || fail "the installed program is not executable"
diff -r --exclude=nibbet-simulator --exclude='*.tmp' "$program_dir" "$data" >"$work/data.diff" ||
  { head -n 20 "$work/data.diff"; fail "the installed data differ from the build's program folder"; }

# ---- The desktop entry and the metainfo
entry() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(entry Exec)" = nibbet-simulator ] || fail "the entry runs '$(entry Exec)', not the installed program"
[ "$(entry Icon)" = "$app_id" ] || fail "the entry's icon is '$(entry Icon)', not $app_id"
grep -q "<id>$app_id</id>" "$metainfo" || fail "the metainfo's id is not $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "the metainfo does not launch $app_id.desktop"
grep -q '<screenshot type="default">' "$metainfo" || fail "the metainfo has no screenshot"

missing_validators=()
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" >"$work/desktop.log" 2>&1 ||
    { cat "$work/desktop.log"; fail "desktop-file-validate rejects the entry"; }
  sed 's/^/  desktop-file-validate: /' "$work/desktop.log"
else
  missing_validators+=(desktop-file-validate)
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
    { cat "$work/appstream.log"; fail "appstreamcli validate rejects the metainfo"; }
  sed 's/^/  appstreamcli: /' "$work/appstream.log"
else
  missing_validators+=(appstreamcli)
fi

# ---- The icons: each a PNG of its size
for size in "${sizes[@]}"; do
  icon=$prefix/share/icons/hicolor/${size}x$size/apps/$app_id.png
  found=$("$python" -c '
import sys
from PIL import Image
with Image.open(sys.argv[1]) as picture:
    print(picture.format, "%dx%d" % picture.size)' "$icon") || fail "$icon does not open"
  [ "$found" = "PNG ${size}x$size" ] || fail "$icon is '$found', not a ${size}x$size PNG"
done

# ---- The installed program on its own
# A look other than Default: a program that missed its data folder would
# fall back to Default and save that.
look=$(cd "$data/colors" && find . -mindepth 1 -maxdepth 1 -type d ! -name Default | sed 's|^\./||' |
  LC_ALL=C sort | head -n1)
[ -n "$look" ] || fail "the data folder has no colour besides Default"
[ -f "$data/colors/$look/front.gif" ] || fail "colour $look has no front.gif"

mkdir -m 700 "$work/runtime"
mkdir "$work/elsewhere"
config=$work/config
ini="$config/Nibbet Simulator/Nibbet Simulator.ini"
mkdir -p "$(dirname "$ini")"

program_running() {
  local state
  state=$(ps -o stat= -p "$program_pid") || return 1
  [[ $state != Z* ]]
}

# The program's answer to a second start comes from its event loop, so once
# it is heard the pet has been loaded.
answers() {
  program_running || fail "the program ended before it was up"
  local socket
  socket=$(find "$work/runtime" -maxdepth 1 -type s -name 'nibbet-*' | head -n1)
  [ -n "$socket" ] || return 1
  "$python" -c '
import socket, sys
client = socket.socket(socket.AF_UNIX)
client.settimeout(120)
client.connect(sys.argv[1])
answer = b""
while True:
    part = client.recv(64)
    if not part:
        break
    answer += part
sys.exit(answer != b"raised\n")' "$socket"
}

# Runs the installed program for a pet wearing $look with its sheet out,
# from a folder outside the build, until SIGTERM; section is what it saved.
run_pet() {
  printf '[Installed]\nInsulatingSheet=0\nCurrentColor=%s\n' "$look" >"$ini"
  rm -f "$work/runtime"/nibbet-*
  (cd "$work/elsewhere" &&
    exec env -u NIBBET_PROGRAM_DIR -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen \
      XDG_CONFIG_HOME="$config" XDG_RUNTIME_DIR="$work/runtime" \
      "$prefix/bin/nibbet-simulator" Installed >"$work/program.out" 2>"$work/program.err") &
  program_pid=$!
  wait_for "the program to be up" answers
  kill -TERM "$program_pid"
  program_ended() { ! program_running; }
  wait_for "the program to end" program_ended
  local status=0
  wait "$program_pid" || status=$?
  program_pid=""
  [ "$status" = 0 ] || fail "the program ended with status $status"
  section=$(sed -n '/^\[Installed\]/,/^\[/p' "$ini")
}
value() { sed -n "s/^$1=//p" <<<"$section"; }

run_pet
# The whole record, so the save came after the load.
for key in InsulatingSheet CurrentColor CharacterNo Age Weight Hunger FormVisible; do
  grep -q "^$key=" <<<"$section" || fail "the saved pet has no $key"
done
[ "$(value InsulatingSheet)" = 0 ] || fail "InsulatingSheet is '$(value InsulatingSheet)', not 0"
[ "$(value CurrentColor)" = "$look" ] ||
  fail "CurrentColor is '$(value CurrentColor)', not $look: the program did not find $data"

# The same without the data folder loses the look, so the check above is
# one the data folder alone passes.
rm -rf "$data"
run_pet
[ "$(value CurrentColor)" = Default ] ||
  fail "without its data the pet kept CurrentColor '$(value CurrentColor)'; the check proves nothing"

if [ ${#missing_validators[@]} -gt 0 ]; then
  echo "SKIP: ${missing_validators[*]} not installed; everything else passed"
  exit 77
fi
echo "PASS: installed and moved, the program found its data; the entry and the metainfo are valid"
