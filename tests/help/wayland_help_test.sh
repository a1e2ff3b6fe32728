#!/usr/bin/env bash
# Runs wayland_help_test.py on a private session bus with the Python that has pyatspi: the
# system's, which a Python on PATH ahead of it may hide. Exits 77 (skipped) without the tools.
# Usage: wayland_help_test.sh TARNWICK LEAFVIEW HELP_DOCUMENT
set -euo pipefail
for tool in mutter dbus-run-session; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done
plugins=$(ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so 2>/dev/null || true)
[ -n "$plugins" ] || { echo "skipped: Qt's Wayland plugin (qt6-wayland) is missing"; exit 77; }
python=""
for candidate in python3 /usr/bin/python3; do
  if "$candidate" -c 'import pyatspi' 2>/dev/null; then python=$candidate; break; fi
done
[ -n "$python" ] || { echo "skipped: no python3 with pyatspi"; exit 77; }
exec dbus-run-session -- "$python" "$(dirname "$0")/wayland_help_test.py" "$@"
