#!/usr/bin/env bash
# The tray icon on a StatusNotifierItem host, on a private session bus.
# Usage: sni_tray.sh PROGRAM
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
if ! command -v dbus-run-session >/dev/null; then
  echo "SKIP: dbus-run-session is not installed (Debian package dbus)"
  exit 77
fi
# Debian's own Python, where python3-dbus and python3-gi install.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
if ! "$python" -c 'import dbus, gi' 2>/dev/null; then
  echo "SKIP: python3-dbus or python3-gi is not installed"
  exit 77
fi
exec dbus-run-session -- "$python" "$here/sni_tray_test.py" "$1"
