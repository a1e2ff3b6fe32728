#!/usr/bin/env bash
# The Windows viewer under wine, as the game drives it through the link file: it acknowledges
# its start-up topic and records its window handle, serves a further topic, and quits on the
# quit request, leaving the exit values; without the ActiveX host library it shows its error
# box and changes nothing. Needs a display (wine_tests.sh starts one) and xdotool.
# Usage: win32_viewer_test.sh <wine> <Leafview.exe> <help document>
set -euo pipefail
wine=$1 viewer=$2 document=$3

folder=$(mktemp -d "/tmp/deradu-viewer zoë #1.XXXXXX")
trap 'rm -rf "$folder"' EXIT
cp "$viewer" "$document" "$folder/"
link="$folder/Leafview.ini"

# The game's side of a link cycle: the file is replaced whole, never seen half-written.
write_link() {
  printf "$1" > "$link.new"
  mv "$link.new" "$link"
}
# Waits up to 20 seconds for the link file to hold the line.
wait_for() {
  for _ in $(seq 200); do
    grep -qx "$1"$'\r' "$link" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "no \"$1\" in the link file:"; cat "$link"; return 1
}

write_link 'HelpFile = deradu.htm\r\nTitle = Help\r\nLASTHELP = #Rules\r\nLASTTIME = 50\r\n'
(cd "$folder" && exec "$wine" Leafview.exe) &
process=$!
wait_for 'LASTTIME = 999'
handle=$(grep '^HANDLE = ' "$link" | tr -d '\r' | cut -d' ' -f3)
[ "${handle:-0}" -gt 0 ] || { echo "no window handle recorded"; exit 1; }

write_link "HelpFile = deradu.htm\r\nTitle = Help\r\nLASTHELP = #Game\r\nLASTTIME = 50\r\nHANDLE = $handle\r\n"
wait_for 'LASTTIME = 999'

write_link "HelpFile = deradu.htm\r\nTitle = Help\r\nLASTHELP = #Game\r\nLASTTIME = 666\r\nHANDLE = $handle\r\n"
wait "$process"
for line in 'LASTTIME = 000' 'HANDLE = 0' 'LASTHELP = ' 'WinW = 500' 'WinH = 300'; do
  wait_for "$line"
done

write_link 'HelpFile = deradu.htm\r\nTitle = Help\r\nLASTHELP = #Rules\r\nLASTTIME = 50\r\n'
before=$(cat "$link")
(cd "$folder" && WINEDLLOVERRIDES=atl=d exec "$wine" Leafview.exe) &
process=$!
box=""
for _ in $(seq 200); do
  box=$(xdotool search --name '^Error$' 2>/dev/null | head -1) && [ -n "$box" ] && break
  sleep 0.1
done
kill "$process" 2>/dev/null || true
wait "$process" 2>/dev/null || true
[ -n "$box" ] || { echo "no \"Error\" box without atl.dll"; exit 1; }
[ "$(cat "$link")" = "$before" ] || { echo "the link file changed without atl.dll"; exit 1; }
echo "the viewer acknowledged, served a topic, quit with its exit values, and without its"
echo "host library showed its error box and changed nothing"
