#!/usr/bin/env bash
# The Debian package and the portable archive of a build: what they hold, and the installed
# game run from its menu entry's command as a player who cannot write the program folder, on
# a private X server: it starts on a puzzle of the library, copied into the player's masters.
# Usage: package_test.sh BUILD_FOLDER CPACK LIBRARY_FOLDER
# Exits 77 (skipped) where the packaging or desktop tools are missing.
set -euo pipefail
build=$1
cpack=$2
library=$3
for tool in dpkg-deb Xvfb xdotool openbox xprop setpriv; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"
fail() {
  echo "FAILED: $*"
  [ -f "$work/game.log" ] && grep -v '^ALSA' "$work/game.log" | tail -20
  exit 1
}

# Waits up to $1 seconds for the command after it to succeed.
await() {
  local seconds=$1
  shift
  for ((i = 0; i < seconds * 10; i++)); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}
# The id of the first visible window whose title matches $2, waiting up to $1 seconds. A
# search fails now and then when another window vanishes while it runs (X's BadWindow), so
# only a search that names a window ends the wait.
await_window() {
  local id
  for ((i = 0; i < $1 * 10; i++)); do
    id=$(xdotool search --onlyvisible --name "$2" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

(cd "$build" && "$cpack" -G "DEB;TGZ" -B "$work/packages" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log"; fail "cpack"; }
deb=$(echo "$work"/packages/deradu_*.deb)
tgz=$(echo "$work"/packages/deradu-*-portable.tar.gz)
[ -f "$deb" ] && [ -f "$tgz" ] || fail "cpack made no package"

# Contents: every file and link, with where the link points; the library's puzzles, whose
# names hold spaces, apart.
puzzles=$(cd "$library" && ls -- *.sms)
[ -n "$puzzles" ] || fail "no library in $library"
# Read-only for the players: root's, writable by root alone.
installed=$(dpkg-deb -c "$deb" | sed -n 's|^-rw-r--r-- root/root .* \./usr/lib/deradu/Masters/||p' |
  sort)
[ "$installed" = "$puzzles" ] || fail "the package's library:"$'\n'"$installed"
contents=$(dpkg-deb -c "$deb" | grep -v '/Masters/' | awk '$1 !~ /^d/ { print $6, $7, $8 }' |
  sed 's/ *$//' | sort)
expected="./usr/games/tarnwick -> ../lib/deradu/Tarnwick
./usr/lib/deradu/Leafview
./usr/lib/deradu/Readme.txt
./usr/lib/deradu/Tarnwick
./usr/lib/deradu/deradu.htm
./usr/share/applications/org.example.deradu.desktop
./usr/share/applications/org.example.deradu.leafview.desktop
./usr/share/icons/hicolor/256x256/apps/org.example.deradu.png
./usr/share/icons/hicolor/48x48/apps/org.example.deradu.png
./usr/share/icons/hicolor/scalable/apps/org.example.deradu.svg
./usr/share/metainfo/org.example.deradu.metainfo.xml"
[ "$contents" = "$expected" ] || fail "package contents:"$'\n'"$contents"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6webenginewidgets6' || fail "no library dependencies"
dpkg-deb -f "$deb" Recommends | grep -qw 'qt6-wayland' || fail "the Wayland plugin is not recommended"
packed=$(tar tzf "$tgz" | sed -n 's|^deradu/Masters/||p' | grep . | sort)
[ "$packed" = "$puzzles" ] || fail "the archive's library:"$'\n'"$packed"
archive=$(tar tzf "$tgz" | grep -v '^deradu/Masters/.' | sort | tr '\n' ' ')
[ "$archive" = "deradu/ deradu/Leafview deradu/Masters/ deradu/Readme.txt deradu/Tarnwick \
deradu/deradu.htm " ] ||
  fail "archive contents: $archive"

# Installed below a root of its own; the program folder read-only, the player's home empty.
root=$work/root
dpkg-deb -x "$deb" "$root"
chmod -R a-w "$root/usr/lib/deradu"
home=$work/home
mkdir "$home"
mkdir -m 700 "$home/runtime"
as_player=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R 65534:65534 "$home"
  as_player=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
data=$home/.local/share/deradu
touch "$work/stamp"
sleep 1

exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
read -r -t 10 -u "$fd" display || fail "Xvfb did not start"
export DISPLAY=:$display
openbox >/dev/null 2>&1 &
pids+=($!)
# The window manager names its check window on the root window once it manages the screen.
await 30 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
  fail "the window manager did not start"

command=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/org.example.deradu.desktop")
(cd "$home" && exec "${as_player[@]}" env -i HOME="$home" XDG_RUNTIME_DIR="$home/runtime" \
  DISPLAY="$DISPLAY" PATH="$root/usr/games:/usr/bin:/bin" QTWEBENGINE_DISABLE_SANDBOX=1 \
  QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu $command) >"$work/game.log" 2>&1 &
pids+=($!)

# The first start opens a puzzle of the library.
first_puzzle='^Deradu - [1-5] [A-Za-z]+ [0-9][0-9]\.sms$'
window=$(await_window 30 "$first_puzzle") || fail "no game window on a puzzle"

xdotool windowsize --sync "$window" 400 500
await 10 grep -q '^Height = 500' "$data/Tarnwick.ini" || fail "the size was not stored"
grep -q '^Width = 400' "$data/Tarnwick.ini" || fail "the width was not stored"
# Start-up is over once the size is stored: any error box would show by now.
xdotool search --onlyvisible --name "Error" >/dev/null 2>&1 && fail "an error box showed"

for attempt in 1 2 3; do
  xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
  sleep 0.3
  xdotool key --clearmodifiers F1
  help_window=$(await_window 30 "^Brindle's Deradu Help$") && break
done
[ -n "${help_window:-}" ] || fail "no help window"
await 10 grep -q '^LASTTIME = 999' "$data/Leafview.ini" || fail "the viewer did not acknowledge"
grep -q '^LASTHELP = #Contents' "$data/Leafview.ini" || fail "help was not asked for its contents"
viewer=$(sed -n 's/^HANDLE = //p' "$data/Leafview.ini" | tr -d '\r')
pids+=("$viewer")

# Each window names its desktop file by its class, as that entry's StartupWMClass says, and
# the viewer's entry names the installed viewer; both windows carry the icon.
entries=$root/usr/share/applications
# The viewer's window is made anew once the web engine's surface joins it: found again now.
help_window=$(await_window 10 "^Brindle's Deradu Help$") || fail "the help window went away"
for pair in "$window org.example.deradu" "$help_window org.example.deradu.leafview"; do
  read -r id entry <<<"$pair"
  want=$(sed -n 's/^StartupWMClass=//p' "$entries/$entry.desktop")
  class=$(xprop -id "$id" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
  [ -n "$want" ] && [ "$class" = "$want" ] || fail "$entry: window class $class, entry $want"
  icons=$(xprop -id "$id" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ')
  [[ $icons == *"Icon (48 x 48)"* ]] || fail "$entry: window icons $icons"
done
viewer_program=$(sed -n 's/^Exec=//p' "$entries/org.example.deradu.leafview.desktop")
[ "$viewer_program" = /usr/lib/deradu/Leafview ] && [ -x "$root$viewer_program" ] ||
  fail "the viewer's entry runs $viewer_program"

for folder in Masters Saves; do [ -d "$data/$folder" ] || fail "no $folder folder"; done
copied=$(cd "$data/Masters" && ls -- *.sms)
[ "$copied" = "$puzzles" ] || fail "the library was not copied to the player's masters"
diff -r "$root/usr/lib/deradu/Masters" "$data/Masters" || fail "the copies differ"
grep -q '^Library = 2' "$data/Tarnwick.ini" || fail "the copy was not recorded"
written=$(find "$root" -newer "$work/stamp")
[ -z "$written" ] || fail "written below the install's root: $written"
echo "package test passed"
