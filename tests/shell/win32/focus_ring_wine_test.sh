#!/usr/bin/env bash
# The keyboard focus of every gadget kind of the game's Windows program under wine, measured
# from the screen's pixels by FOCUS_CONTRAST_EXE: light and dark system colours, at 96 and
# 144 DPI. With SHOTS set to a folder, it also leaves the focus on gadget $SHOT_GADGET (default
# 40, the centre cell) and saves a screenshot of each run there.
# Usage: focus_ring_wine_test.sh TARNWICK_EXE WINE FOCUS_CONTRAST_EXE
# Exits 77 (skipped) without wine, Xvfb or xdotool.
set -euo pipefail
tarnwick=$1 wine=$2 contrast_exe=$3
for tool in "$wine" Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done
work=$(mktemp -d)
. "$(dirname "${BASH_SOURCE[0]}")/wine_session.sh"

fail() { echo "FAIL: $*"; exit 1; }
# Waits up to 15 s for the process $1 to end.
wait_for_end() {
  for _ in $(seq 150); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}
# Light is wine's own visual style in wine's own light colours; dark, the classic look in dark
# system colours, which apply only without a style. A style keeps the colours it found in a key of
# its own, and the ones it set in the wine server's temporary parameters: both go, so that
# the colours set here are the ones the game reads.
scheme() {
  local manager='HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager'
  local temporary='HKCU\Software\Wine\Temporary System Parameters\Control Panel\Colors'
  "$wine" reg add "$manager" /v ThemeActive /t REG_SZ /d "$([ "$1" = light ] && echo 1 || echo 0)" \
    /f </dev/null >/dev/null 2>&1
  "$wine" reg delete "$manager\Control Panel" /f </dev/null >/dev/null 2>&1 || true
  "$wine" reg delete "$temporary" /f </dev/null >/dev/null 2>&1 || true
  local window="255 255 255" ink="0 0 0" face="245 245 245"
  [ "$1" = light ] || { window="32 32 32"; ink="255 255 255"; face="45 45 45"; }
  for entry in "Window $window" "WindowText $ink" "ButtonFace $face" "ButtonText $ink"; do
    "$wine" reg add 'HKCU\Control Panel\Colors' /v "${entry%% *}" /t REG_SZ /d "${entry#* }" /f \
      </dev/null >/dev/null 2>&1
  done
}
# The puzzle that the board shows at start-up comes from the library beside the program.
library=$(dirname "$tarnwick")/Masters

status=0
for dpi in 96 144; do
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    </dev/null >/dev/null 2>&1
  for scheme in light dark; do
    scheme "$scheme"
    folder="$work/$scheme $dpi"
    mkdir -p "$folder"
    cp "$tarnwick" "$folder/Tarnwick.exe"
    mkdir -p "$folder/Masters"
    cp "$library/1 Gentle 01.sms" "$folder/Masters/"
    printf 'MoveFiles = 3\r\nSound = 21\r\n' > "$folder/Tarnwick.ini"
    (cd "$folder" && exec "$wine" Tarnwick.exe </dev/null >/dev/null 2>&1) &
    game=$!
    # The title names the puzzle that the game opened.
    main=$(window_named "(Brindle's Deradu|Deradu - .*)") ||
      fail "no game window ($scheme, $dpi DPI)"
    echo "$scheme system colours at $dpi DPI:"
    "$wine" "$contrast_exe" ${SHOTS:+"${SHOT_GADGET:-40}"} </dev/null \
      2>/dev/null | tr -d '\r' | sed 's/^/  /' || status=1
    [ -z "${SHOTS:-}" ] || import -window root "$SHOTS/focus_${scheme}_$dpi.png"
    xdotool windowfocus "$main" 2>/dev/null || true
    xdotool key --window "$main" alt+F4
    wait_for_end "$game" || fail "the game did not end ($scheme, $dpi DPI)"
  done
done
exit "$status"
