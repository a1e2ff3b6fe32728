#!/usr/bin/env bash
# Runs accessibility_test.py on a private session bus with the Python that has pyatspi.
# Exits 77 (skipped) without the tools.
# Usage: accessibility_test.sh TARNWICK
set -euo pipefail
for tool in Xvfb xdotool dbus-run-session; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done
. "$(dirname "$0")/../../support/atspi_python.sh"
exec dbus-run-session -- "$python" "$(dirname "$0")/accessibility_test.py" "$1"
