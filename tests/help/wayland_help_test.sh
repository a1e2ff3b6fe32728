#!/usr/bin/env bash
# Runs wayland_help_test.py on a private session bus with the Python that has pyatspi.
# Exits 77 (skipped) without the tools.
# Usage: wayland_help_test.sh TARNWICK LEAFVIEW HELP_DOCUMENT
set -euo pipefail
for tool in mutter dbus-run-session; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done
plugins=$(ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so 2>/dev/null || true)
[ -n "$plugins" ] || { echo "skipped: Qt's Wayland plugin (qt6-wayland) is missing"; exit 77; }
. "$(dirname "$0")/../support/atspi_python.sh"
exec dbus-run-session -- "$python" "$(dirname "$0")/wayland_help_test.py" "$@"
