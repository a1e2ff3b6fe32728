#!/usr/bin/env bash
# A HANDLE in the link file that names another program's window, as when the viewer ended
# without its exit values and Windows gave the number to a new window; under wine on a
# virtual X display. With Notepad's window named there, F1 starts the viewer, which comes to
# the front, and Notepad stays where it was. At shutdown, with a window of the viewer's own
# class in another program named there, that window gets no close request.
# Usage: stale_handle_wine_test.sh TARNWICK_EXE LEAFVIEW_EXE WINE FOREGROUND_WINDOW_EXE
#        FOREIGN_WINDOW_EXE. Exits 77 (skipped) without wine, Xvfb or xdotool.
set -euo pipefail

exe=$1 viewer_exe=$2 wine=$3 foreground_exe=$4 foreign_exe=$5
for tool in "$wine" Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done

work=$(mktemp -d)
game="$work/Deradu"
mkdir -p "$game"
cp "$exe" "$game/Tarnwick.exe"
cp "$viewer_exe" "$game/Leafview.exe"
printf '<html><body><a name="TOP">Deradu</a></body></html>' > "$game/deradu.htm"

. "$(dirname "${BASH_SOURCE[0]}")/wine_session.sh"

# Repeats the command until it succeeds, for at most $1 seconds.
until_done() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}
setting() { [ -f "$1" ] && tr -d '\r' < "$1" | sed -n "s/^$2 = //p"; }
link="$game/Leafview.ini"
has_line() { [ -f "$1" ] && tr -d '\r' < "$1" | grep -qxF "$2"; }
handle_is_new() { h=$(setting "$link" HANDLE); [ -n "$h" ] && [ "$h" != 0 ] && [ "$h" != "$1" ]; }
window_titled() { xdotool search --name "^$1\$" >/dev/null 2>&1; }
# The handle of the window wine has in front; of the first window of class $1.
in_front() { "$wine" "$foreground_exe" </dev/null 2>/dev/null | tr -d '\r'; }
front_is() { [ "$(in_front)" = "$1" ]; }
front_is_not() { [ "$(in_front)" != "$1" ]; }
window_of_class() { "$wine" "$foreign_exe" find "$1" </dev/null 2>/dev/null | tr -d '\r'; }
notepad_open() { notepad=$(window_of_class Notepad); [ -n "$notepad" ] && [ "$notepad" != 0 ]; }
# A key pressed and held as a person does.
press() { xdotool keydown "$1"; sleep 0.2; xdotool keyup "$1"; }
ended() { ! kill -0 "$1" 2>/dev/null; }

# Notepad runs, and the link file names its window as the viewer's.
("$wine" notepad </dev/null >/dev/null 2>&1) &
until_done 30 notepad_open || fail "Notepad did not open"
printf 'HelpFile = deradu.htm\r\nTitle = Brindle'"'"'s Deradu Help\r\nLASTTIME = 999\r\nHANDLE = %s\r\n' \
  "$notepad" > "$link"

(cd "$game" && exec "$wine" Tarnwick.exe </dev/null >/dev/null 2>&1) &
game_process=$!
main=$(window_named "Brindle's Deradu") || fail "no window titled Brindle's Deradu"
until_done 30 has_line "$game/Tarnwick.ini" "MoveFiles = 3" || fail "start-up did not finish"

# F1 in the game, made wine's active window by a click on the empty end of its menu bar.
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + WIDTH - 5)) $((Y + 8)) click 1
until_done 10 front_is_not "$notepad" || fail "the game did not come to the front"
press F1
until_done 30 handle_is_new "$notepad" || fail "F1 started no viewer: HANDLE $(setting "$link" HANDLE)"
viewer=$(setting "$link" HANDLE)
until_done 30 has_line "$link" "LASTTIME = 999" || fail "the viewer did not acknowledge F1"
until_done 30 window_titled "Brindle's Deradu Help" || fail "no viewer window"
until_done 10 front_is "$viewer" || fail "the viewer is not in front: $(in_front)"
[ "$(window_of_class Notepad)" = "$notepad" ] || fail "Notepad's window is gone"
echo "F1: the viewer started and is in front; Notepad was left alone"

# The viewer ends on the quit code; another program then opens a window of the viewer's class,
# and the link file names it.
sed -i 's/^LASTTIME = .*/LASTTIME = 666\r/' "$link"
until_done 30 has_line "$link" "HANDLE = 0" || fail "the viewer did not end on the quit code"
"$wine" "$foreign_exe" open DeraduLeafview </dev/null >"$work/foreign" 2>/dev/null &
foreign_process=$!
until_done 30 test -s "$work/foreign" || fail "the foreign window did not open"
foreign=$(head -1 "$work/foreign" | tr -d '\r')
sed -i "s/^HANDLE = .*/HANDLE = $foreign\r/" "$link"

# Alt+F4 ends the game, which leaves the quit code; the foreign window then reports the
# close requests it got, its report request coming after any the game posted.
xdotool mousemove $((X + WIDTH - 5)) $((Y + 8)) click 1
until_done 10 front_is_not "$foreign" || fail "the game did not come to the front"
xdotool keydown alt; press F4; xdotool keyup alt
until_done 30 ended "$game_process" || fail "the game did not end on Alt+F4"
[ "$(setting "$link" LASTTIME)" = 666 ] || fail "LASTTIME not 666 at the end"
"$wine" "$foreign_exe" report "$foreign" </dev/null >/dev/null 2>&1 || fail "no report request"
until_done 30 ended "$foreign_process" || fail "the foreign window did not report"
report=$(sed -n 2p "$work/foreign" | tr -d '\r')
[ "$report" = "close requests: 0" ] || fail "the game asked the foreign window to close: $report"
echo "shutdown: the foreign window of the viewer's class got no close request"
echo PASS
