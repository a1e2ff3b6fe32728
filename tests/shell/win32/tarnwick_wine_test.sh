#!/usr/bin/env bash
# The game's Windows program end to end under wine on a virtual X display: start-up size and
# title, a move saved through the real save dialog and read back from the file, the window
# size stored about a second after a change, the help viewer started, raised and closed
# through F1 when it is given, and the quit code left for the viewer.
# Usage: tarnwick_wine_test.sh TARNWICK_EXE [WINE [LEAFVIEW_EXE FOREGROUND_WINDOW_EXE]].
# Exits 77 (skipped) without wine, Xvfb or xdotool.
set -euo pipefail

exe=$1
wine=${2:-/usr/lib/wine/wine64}
viewer_exe=${3:-}
foreground_exe=${4:-}
for tool in "$wine" Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done

work=$(mktemp -d)
# A program folder with a space, a "#" and a "%" in its name.
game="$work/Deradu #1 100%"
mkdir -p "$game"
cp "$exe" "$game/Tarnwick.exe"
if [ -n "$viewer_exe" ]; then
  cp "$viewer_exe" "$game/Leafview.exe"
  printf '<html><body><a name="TOP">Deradu</a></body></html>' > "$game/deradu.htm"
fi

. "$(dirname "${BASH_SOURCE[0]}")/wine_session.sh"

# Waits up to $2 seconds for the file $1 to hold the line $3.
wait_for_line() {
  for _ in $(seq $(( $2 * 10 ))); do
    [ -f "$1" ] && tr -d '\r' < "$1" | grep -qxF "$3" && return 0
    sleep 0.1
  done
  return 1
}
setting() { [ -f "$1" ] && tr -d '\r' < "$1" | sed -n "s/^$2 = //p"; }
# Start-up removes temporary files that an unfinished write left in the program folder, after
# the sounds and the settings have been read and just before the start-up puzzle is chosen:
# plant one before a start, and its removal says that start-up has got that far.
leftover="$game/.deradu-0123abcd.tmp"
plant_leftover() { : > "$leftover" && touch -d '1 hour ago' "$leftover"; }
# Waits up to $1 seconds for the planted file to be removed.
wait_for_startup() {
  for _ in $(seq $(( $1 * 10 ))); do
    [ -e "$leftover" ] || return 0
    sleep 0.1
  done
  return 1
}

plant_leftover
(cd "$game" && exec "$wine" Tarnwick.exe </dev/null >/dev/null 2>&1) &
game_process=$!

main=$(window_named "Brindle's Deradu") || fail "no window titled Brindle's Deradu"
# Without a window manager the X window covers the client area and the menu bar: the inner size.
# Wine may map the X window at the whole frame's size first and shrink it to the client area a
# moment later, so the size is awaited until a deadline.
for _ in $(seq 100); do
  eval "$(xdotool getwindowgeometry --shell "$main")"
  [ "$WIDTH" = 266 ] && [ "$HEIGHT" = 333 ] && break
  sleep 0.1
done
[ "$WIDTH" = 266 ] && [ "$HEIGHT" = 333 ] || fail "start-up inner size ${WIDTH}x$HEIGHT"
echo "start-up: 266 x 333, titled Brindle's Deradu"
wait_for_startup 30 || fail "start-up did not finish"
wait_for_line "$game/Tarnwick.ini" 5 "MoveFiles = 3" || fail "the folder migration stored nothing"

# The number bar's "5", then the middle cell (row 4, column 4); the menu bar is about 20
# pixels high, and both points lie well inside their gadgets whatever its exact height.
menu=20
xdotool mousemove $((X + 140)) $((Y + menu + 50)) click 1
sleep 0.5
xdotool mousemove $((X + 150)) $((Y + menu + 200)) click 1
sleep 0.5

save_game_as "move five"
saved="$game/Saves/move five.ssv"
[ -f "$saved" ] || fail "no saved game at $saved"
# Cell 40 is lines 121-123: the digit, no master, the red of the first palette colour.
cell=$(tr -d '\r' < "$saved" | sed -n '121,123p' | tr '\n' ' ')
[ "$cell" = "5 0 255 " ] || fail "cell 40 read back as '$cell'"
others=$(tr -d '\r' < "$saved" | awk 'NR % 3 == 1 && $0 != "0"' | wc -l)
[ "$(wc -l < "$saved")" = 243 ] && [ "$others" = 1 ] ||
  fail "saved game is not one digit on 243 lines"
echo "move: 5 in cell 40 saved through the save dialog and read back"

# A size change is stored about a second later, not at once.
xdotool windowsize "$main" 300 400
sleep 0.2
[ -z "$(setting "$game/Tarnwick.ini" Width)" ] || fail "size stored at once"
wait_for_line "$game/Tarnwick.ini" 5 "Width = 300" || fail "Width not stored"
[ "$(setting "$game/Tarnwick.ini" Height)" = 400 ] || fail "Height not stored"
echo "size: 300 x 400 stored about a second after the change"

# Alt+F4 on the saved game ends the program without a question, leaving the quit code.
xdotool windowfocus "$main" 2>/dev/null || true
xdotool key alt+F4
for _ in $(seq 150); do kill -0 "$game_process" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_process" 2>/dev/null && fail "the game did not end on Alt+F4"
[ "$(setting "$game/Leafview.ini" LASTTIME)" = 666 ] || fail "LASTTIME not 666 at the end"
echo "end: Alt+F4 closed the game, LASTTIME 666"

# Custom sounds at the next start: a playable WAV as the error sound loads without a word, a
# file that is no WAV as the win sound gives one "Unable to load sound" box.
printf 'RIFF\x28\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x40\x1f\0\0\x01\0\x08\0data\x04\0\0\0\x80\x90\x80\x70' \
  > "$game/ding.wav"
printf 'RIFF\x04\0\0\0WAVE' > "$game/broken.wav"
printf 'Sound = 22\r\nCustom = ding.wav\r\nWinSound = 26\r\nWinCustom = broken.wav\r\n' \
  >> "$game/Tarnwick.ini"
plant_leftover
(cd "$game" && exec "$wine" Tarnwick.exe </dev/null >/dev/null 2>&1) &
game_process=$!
titled() { xdotool search --name "^Brindle's Deradu\$" 2>/dev/null | wc -l; }
for _ in $(seq 300); do [ "$(titled)" -ge 2 ] && break; sleep 0.1; done
[ "$(titled)" = 2 ] || fail "no sound error box at start-up"
xdotool key Return
# The playable WAV is loaded first: had it been refused, its box would have come first and the
# broken one's would now hold start-up up.
wait_for_startup 30 && [ "$(titled)" = 1 ] || fail "the playable WAV was refused too"
echo "sounds: the playable WAV loaded, the broken one reported"

# A click on the empty end of the menu bar makes a window wine's active one, which focusing
# its X window alone does not once another program has been in front.
activate() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + WIDTH - 5)) $((Y + 8)) click 1
  sleep 0.5
}
help="Brindle's Deradu Help"
# The handle of the window wine has in front.
in_front() { "$wine" "$foreground_exe" </dev/null 2>/dev/null | tr -d '\r'; }
# Clicks the game's menu bar until wine has the game in front, not the viewer; the game takes
# no click while it pauses after raising the viewer.
bring_game_forward() {
  for _ in $(seq 20); do
    activate "$main"
    [ "$(in_front)" != "$handle" ] && return 0
  done
  return 1
}
if [ -n "$viewer_exe" ]; then
  main=$(window_named "Brindle's Deradu")
  # F1 starts the viewer, which acknowledges with 999 and records its window handle.
  activate "$main"
  xdotool key F1
  wait_for_line "$game/Leafview.ini" 30 "LASTTIME = 999" || fail "the viewer did not acknowledge F1"
  handle=$(setting "$game/Leafview.ini" HANDLE)
  [ -n "$handle" ] && [ "$handle" != 0 ] || fail "no window handle recorded"
  window_named "$help" >/dev/null || fail "no window titled $help"
  [ "$(in_front)" = "$handle" ] || fail "the started viewer is not in front"
  echo "F1: Leafview.exe started, LASTTIME 999, HANDLE $handle"
  # A second F1 raises the running viewer through its handle: the game writes its request
  # again, the same viewer serves it, and no second viewer starts.
  bring_game_forward || fail "the game did not come to the front"
  sed -i 's/^LASTHELP = .*/LASTHELP = #elsewhere\r/' "$game/Leafview.ini"
  xdotool key F1
  wait_for_line "$game/Leafview.ini" 10 "LASTHELP = #Contents" ||
    fail "the second F1 wrote no request"
  wait_for_line "$game/Leafview.ini" 10 "LASTTIME = 999" || fail "the viewer did not serve it"
  [ "$(xdotool search --name "^$help\$" | wc -l)" = 1 ] || fail "a second viewer started"
  [ "$(setting "$game/Leafview.ini" HANDLE)" = "$handle" ] || fail "the handle changed"
  [ "$(in_front)" = "$handle" ] || fail "the second F1 did not raise the viewer"
  echo "F1 again: the same viewer raised and serving"
  bring_game_forward || fail "the game did not come to the front at the end"
fi
xdotool key alt+F4
for _ in $(seq 150); do kill -0 "$game_process" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_process" 2>/dev/null && fail "the game did not end on Alt+F4"
if [ -n "$viewer_exe" ]; then
  # Closing the game closes the viewer, which leaves its exit values.
  wait_for_line "$game/Leafview.ini" 30 "LASTTIME = 000" || fail "LASTTIME not 000 at the end"
  [ "$(setting "$game/Leafview.ini" HANDLE)" = 0 ] || fail "HANDLE not 0 at the end"
  for _ in $(seq 100); do xdotool search --name "^$help\$" >/dev/null || break; sleep 0.1; done
  xdotool search --name "^$help\$" >/dev/null && fail "the viewer's window is still open"
  echo "end: closing the game closed the viewer, LASTTIME 000, HANDLE 0"
fi
echo PASS
