#!/usr/bin/env bash
# Both Windows programs under wine at 144 and 192 DPI (display scaling of 150 % and 200 %):
# the game's first window is 1.5 and 2 times its base inner size (menu bar counted), its menu
# bar takes one row, its last board row lies inside the window, and a size change is stored in
# 96-DPI units; the viewer opens at its stored size times the scale and stores it back
# unscaled.
# Usage: display_scale_wine_test.sh TARNWICK_EXE LEAFVIEW_EXE WINE WINDOW_MEASURES_EXE
# Exits 77 (skipped) without wine, Xvfb or xdotool.
set -euo pipefail
tarnwick=$1 leafview=$2 wine=$3 measures_exe=$4
for tool in "$wine" Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done
work=$(mktemp -d)
. "$(dirname "${BASH_SOURCE[0]}")/wine_session.sh"

setting() { [ -f "$1" ] && tr -d '\r' < "$1" | sed -n "s/^$2 = //p"; }
# Waits up to 10 s for setting $2 of file $1 to read $3.
wait_for_setting() {
  for _ in $(seq 100); do [ "$(setting "$1" "$2")" = "$3" ] && return 0; sleep 0.1; done
  return 1
}
# Waits up to 15 s for the process $1 to end.
wait_for_end() {
  for _ in $(seq 150); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}
# A measure in 96-DPI units in pixels at $2, rounded as the programs round it.
pixels() { echo $(( ($1 * $2 + 48) / 96 )); }
close_window() {
  xdotool windowfocus "$1" 2>/dev/null || true
  sleep 0.3
  xdotool key alt+F4
}

for dpi in 144 192; do
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    </dev/null >/dev/null 2>&1
  folder="$work/at $dpi"
  mkdir -p "$folder"
  cp "$tarnwick" "$folder/Tarnwick.exe"
  cp "$leafview" "$folder/Leafview.exe"
  printf '<html><body><a name="TOP">Deradu</a></body></html>' > "$folder/deradu.htm"

  (cd "$folder" && exec "$wine" Tarnwick.exe </dev/null >/dev/null 2>&1) &
  game=$!
  main=$(window_named "Brindle's Deradu") || fail "no game window at $dpi DPI"
  wait_for_setting "$folder/Tarnwick.ini" MoveFiles 3 || fail "start-up did not finish at $dpi DPI"
  # Without a window manager the X window is the client area and the menu bar: the inner size.
  eval "$(xdotool getwindowgeometry --shell "$main")"
  inner="$(pixels 266 "$dpi")x$(pixels 333 "$dpi")"
  [ "${WIDTH}x$HEIGHT" = "$inner" ] || fail "inner size ${WIDTH}x$HEIGHT at $dpi DPI, not $inner"
  # Cell 80 is the board's bottom-right cell.
  read -r seen < <("$wine" "$measures_exe" "Brindle's Deradu" 80 </dev/null 2>/dev/null | tr -d '\r')
  eval "${seen// / ; }"
  [ "$client_width" = "$WIDTH" ] || fail "client area at $dpi DPI: $seen"
  # A menu bar that wraps takes two rows or more.
  menu_height=$((HEIGHT - client_height))
  [ "$menu_height" -gt 0 ] && [ "$menu_height" -lt $((2 * menu_row)) ] ||
    fail "the menu bar is $menu_height px high at $dpi DPI, one row being $menu_row: $seen"
  [ "$child_bottom" -gt 0 ] && [ "$child_bottom" -le "$client_height" ] ||
    fail "the last board row ends below the window at $dpi DPI: $seen"
  echo "game at $dpi DPI: inner $inner, menu bar one row of $menu_height px," \
       "last row ends at $child_bottom of $client_height"

  xdotool windowsize "$main" "$(pixels 300 "$dpi")" "$(pixels 350 "$dpi")"
  wait_for_setting "$folder/Tarnwick.ini" Width 300 ||
    fail "stored Width $(setting "$folder/Tarnwick.ini" Width) at $dpi DPI"
  [ "$(setting "$folder/Tarnwick.ini" Height)" = 350 ] || fail "stored Height at $dpi DPI"
  echo "game at $dpi DPI: resized to $(pixels 300 "$dpi") x $(pixels 350 "$dpi") pixels, stored 300 x 350"
  close_window "$main"
  wait_for_end "$game" || fail "the game did not end at $dpi DPI"

  # The viewer at its stored size: 500 x 300 in 96-DPI units, the menu bar counted.
  printf 'HelpFile = deradu.htm\r\nTitle = Scaled Help\r\nWinX = 10\r\nWinY = 10\r\nWinW = 500\r\nWinH = 300\r\n' \
    > "$folder/Leafview.ini"
  (cd "$folder" && exec "$wine" Leafview.exe </dev/null >/dev/null 2>&1) &
  viewer=$!
  help=$(window_named "Scaled Help") || fail "no viewer window at $dpi DPI"
  wait_for_setting "$folder/Leafview.ini" LASTTIME 999 || fail "the viewer did not start at $dpi DPI"
  eval "$(xdotool getwindowgeometry --shell "$help")"
  [ "${WIDTH}x$HEIGHT" = "$(pixels 500 "$dpi")x$(pixels 300 "$dpi")" ] ||
    fail "viewer's inner size ${WIDTH}x$HEIGHT at $dpi DPI"
  close_window "$help"
  wait_for_end "$viewer" || fail "the viewer did not end at $dpi DPI"
  [ "$(setting "$folder/Leafview.ini" WinW)x$(setting "$folder/Leafview.ini" WinH)" = 500x300 ] ||
    fail "viewer stored $(setting "$folder/Leafview.ini" WinW)x$(setting "$folder/Leafview.ini" WinH) at $dpi DPI"
  echo "viewer at $dpi DPI: opened at $WIDTH x $HEIGHT pixels, stored 500 x 300"
done
