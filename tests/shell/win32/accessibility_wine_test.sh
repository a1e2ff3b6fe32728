#!/usr/bin/env bash
# The accessible names of the game's Windows program under wine on a virtual X display. Wine's
# annotation service takes the names without keeping them (its SetHwndPropStr answers
# E_NOTIMPL and traces its arguments), so the test reads what the game hands it from that
# trace: the 119 unique names at start-up, a cell's new state and value after a real click,
# and the announcements of a refused digit and of an undo, on the focused cell. It also
# prints what wine's AccessibleObjectFromWindow and get_accName answer for each gadget, and
# passes on those answers instead should wine ever return the names.
# Usage: accessibility_wine_test.sh TARNWICK_EXE WINE ACCESSIBLE_NAMES_EXE.
# Exits 77 (skipped) without wine, Xvfb or xdotool.
set -euo pipefail

exe=$1
wine=$2
probe=$3
for tool in "$wine" Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done

work=$(mktemp -d)
game="$work/game"
mkdir -p "$game"
cp "$exe" "$game/Tarnwick.exe"
printf 'MoveFiles = 3\r\nSound = 21\r\n' > "$game/Tarnwick.ini"

source "$(dirname "$0")/wine_session.sh"

fail() {
  echo "FAIL: $*"
  echo "oleacc trace, first lines:"
  head -5 "$work/trace" 2>/dev/null || true
  exit 1
}
# Waits up to $1 seconds for the command after it to succeed.
await() {
  local seconds=$1
  shift
  for _ in $(seq $((seconds * 10))); do "$@" && return 0; sleep 0.1; done
  return 1
}

trace="$work/trace"
(cd "$game" && WINEDEBUG=fixme+oleacc exec "$wine" Tarnwick.exe </dev/null >/dev/null 2>"$trace") &
main=$(window_named "Brindle's Deradu") || fail "no game window"
await 30 grep -qxF "MoveFiles = 3"$'\r' "$game/Tarnwick.ini" || fail "start-up did not finish"

# The texts the game handed to the annotation service, by property: PROPID_ACC_NAME and
# PROPID_ACC_DESCRIPTION.
annotated() {
  tr -d '\r' < "$trace" | sed -n "s/.*SetHwndPropStr.*{$1}[^L]*L\"\\(.*\\)\")\$/\\1/p"
}
names="608d3df8-8128-4aa7-a428-f55e49267291"
descriptions="4d48dfe4-bd3f-491f-a648-492d6f20c588"
values="123fe443-211a-4615-9527-c45a7e93717a"

"$wine" "$probe" </dev/null 2>/dev/null | tr -d '\r' > "$work/answers" || true
echo "wine's answers for $(wc -l < "$work/answers") gadgets (identifier, get_accName," \
     "get_accDescription), first and last:"
head -3 "$work/answers"
tail -2 "$work/answers"
answered=$(cut -f2 "$work/answers" | grep -v '^<' | grep -c . || true)
if [ "$(cut -f2 "$work/answers" | grep -c '^Row ')" = 81 ]; then
  echo "wine answered the cells' names"
else
  echo "wine answered no annotated names ($answered gadgets with a name of their own)"
  await 10 test "$(annotated "$names" | sort -u | wc -l)" -ge 119 ||
    fail "the game annotated $(annotated "$names" | sort -u | wc -l) distinct names, not 119"
  annotated "$names" | grep -qxF "Row 5, column 5, box 5" || fail "no name for the middle cell"
  annotated "$names" | grep -qxF "Highlight row 3" || fail "no name for a row toggle"
  annotated "$names" | grep -qxF "Navy" || fail "no name for a colour square"
  echo "annotated names: $(annotated "$names" | sort -u | wc -l) distinct, for example" \
       "$(annotated "$names" | sed -n '41p;82p;100p' | paste -sd ';')"
fi

# The number bar's "5", then the middle cell (row 5, column 5), each pressed as a person does.
press() {
  xdotool mousemove "$1" "$2" mousedown 1
  sleep 0.3
  xdotool mouseup 1
}
eval "$(xdotool getwindowgeometry --shell "$main")"
menu=20
press $((X + 140)) $((Y + menu + 50))
press $((X + 150)) $((Y + menu + 200))
# Waits for the text $2 annotated as the property $1.
await_annotated() {
  await 10 sh -c "tr -d '\r' < '$trace' | grep -q 'SetHwndPropStr.*{$1}.*L\"$2\")'"
}
await_annotated "$descriptions" "5, your digit, red" ||
  fail "the middle cell's state was not annotated as the player's red 5"
await_annotated "$values" "5" || fail "the middle cell's value was not annotated as 5"
echo "entered: the middle cell annotated \"5, your digit, red\", value \"5\""

# The first cell of the same row refuses the 5, and tells why; Ctrl+Z then takes the middle
# cell's 5 back, and tells what the cell holds now.
press $((X + 60)) $((Y + menu + 200))
await_annotated "$descriptions" "5 is already in row 5" || fail "the refused 5 was not announced"
echo "refused: announced \"5 is already in row 5\""
xdotool keydown ctrl keydown z
sleep 0.3
xdotool keyup z keyup ctrl
await_annotated "$descriptions" "Undo: Row 5, column 5, box 5, empty" ||
  fail "the undo was not announced"
echo "undone: announced \"Undo: Row 5, column 5, box 5, empty\""
echo PASS
