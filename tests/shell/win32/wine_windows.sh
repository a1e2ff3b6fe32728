# Sourced by the wine end-to-end scripts: finding the game's windows by title and the steps a
# player takes in them, typed at a person's pace.

fail() { echo "FAIL: $*"; exit 1; }

# The id of the first window whose title is exactly $1, waiting up to 30 s. A search fails
# now and then while another window vanishes under it (X's BadWindow), so only a search that
# names a window ends the wait.
window_named() {
  for _ in $(seq 300); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Game > Save through the keyboard (the menu bar, the Game menu, its third item), typing the
# name $1 into the save dialog; waits for the title that names the saved file.
save_game_as() {
  xdotool key F10 && sleep 0.3 && xdotool key Down && sleep 0.3 && xdotool key Down Down
  sleep 0.3
  xdotool key Return
  local dialog
  dialog=$(window_named "Game save file") || fail "no save dialog"
  xdotool windowfocus "$dialog" 2>/dev/null || true
  xdotool type --delay 30 "$1"
  xdotool key Return
  window_named "Deradu - $1.ssv" >/dev/null || fail "title after the save"
}
