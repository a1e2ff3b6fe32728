#!/usr/bin/env bash
# Runs the tests of a Windows build (configured with cmake/mingw-w64.cmake) under wine, in a
# fresh wine prefix that is removed afterwards, on a virtual display when there is none.
# Usage: scripts/wine_tests.sh <build folder> [ctest options]
set -euo pipefail
build=${1:?usage: $0 <build folder>}
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver="$(dirname "$wine")/wineserver"

WINEPREFIX=$(mktemp -d /tmp/deradu-wine.XXXXXX)
export WINEPREFIX WINEDEBUG=-all
xvfb=""
cleanup() {
  # The prefix goes only once the server and its processes are gone, or they write into it.
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

# The windowed programs need a display; without one a virtual screen of its own.
if [ -z "${DISPLAY:-}" ]; then
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WINEPREFIX/display" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$WINEPREFIX/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$WINEPREFIX/display")"
fi

# One wine server and its background services for the whole run, started with their output
# away from the tests: services that a test's own wine process started would hold ctest's
# output pipe open and keep it waiting for ever.
"$wineserver" -p </dev/null >/dev/null 2>&1
"$wine" wineboot -i </dev/null >/dev/null 2>&1
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "${@:2}"
