#!/usr/bin/env bash
# The Windows installer under wine, as a player without administrator rights meets it: a
# silent install puts the programs, the help, the readme and one copy of the library into
# C:\Program Files\Deradu with a Start-menu shortcut and an uninstall entry; the game started
# through the shortcut opens on a library puzzle and saves into %LOCALAPPDATA%\deradu\Saves;
# a silent uninstall removes what was installed and keeps the player's files.
# Usage: installer_wine_test.sh INSTALLER WINE PUZZLE_COUNT
# Exits 77 (skipped) without wine, Xvfb, xdotool or setpriv.
set -euo pipefail
installer=$1 wine=$2 puzzles=$3
for tool in "$wine" Xvfb xdotool setpriv; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done
[ -f "$installer" ] || { echo "FAIL: no installer at $installer"; exit 1; }
wineserver="$(dirname "$(command -v "$wine")")/wineserver"

# Wine as root ignores folder permissions, so the player is an unprivileged user with a
# prefix of its own.
work=$(mktemp -d)
chmod 755 "$work"
home="$work/home"
mkdir -p "$home"
chown 65534:65534 "$home"
prefix="$home/prefix"
player() {
  setpriv --reuid=65534 --regid=65534 --clear-groups \
    env HOME="$home" WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" "$@"
}
exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  player "$wineserver" -k >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
player mkdir -p "$prefix"
player "$wineserver" -p </dev/null >/dev/null 2>&1
player "$wine" wineboot -i </dev/null >/dev/null 2>&1

. "$(dirname "${BASH_SOURCE[0]}")/../shell/win32/wine_windows.sh"
# Waits up to $2 seconds for the command $1 to succeed.
wait_until() {
  for _ in $(seq $(( $2 * 10 ))); do eval "$1" && return 0; sleep 0.1; done
  return 1
}
key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Deradu"
folder="$prefix/drive_c/Program Files/Deradu"
shortcut="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Deradu.lnk"

cp "$installer" "$work/setup.exe"
player "$wine" "$work/setup.exe" /S </dev/null >/dev/null 2>&1 || fail "the silent install failed"
for file in Tarnwick.exe Leafview.exe deradu.htm Readme.txt Uninstall.exe; do
  [ -f "$folder/$file" ] || fail "no $file in the program folder"
done
[ "$(find "$prefix/drive_c" -name '*.sms' | wc -l)" = "$puzzles" ] &&
  [ "$(find "$folder/Masters" -name '*.sms' | wc -l)" = "$puzzles" ] ||
  fail "the library is not installed once into Masters"
[ -f "$shortcut" ] || fail "no Start-menu shortcut Deradu"
entry=$(player "$wine" reg query "$key" </dev/null 2>/dev/null | tr -d '\r')
grep -q 'DisplayName.*REG_SZ.*Deradu$' <<<"$entry" &&
  grep -q 'DisplayIcon.*Program Files\\Deradu\\Tarnwick.exe,0$' <<<"$entry" ||
  fail "uninstall entry: $entry"
# The readme speaks of the Windows folders, in Windows lines.
grep -qF '%LOCALAPPDATA%\deradu' "$folder/Readme.txt" || fail "the readme names no %LOCALAPPDATA%"
! grep -qv $'\r$' "$folder/Readme.txt" || fail "a line of the readme does not end in CR LF"
echo "install: programs, help, readme and $puzzles puzzles in Program Files\\Deradu, shortcut, entry"

# Program Files is not the player's to write, as on Windows.
chmod -R a-w "$folder"
(cd "$work" && exec setpriv --reuid=65534 --regid=65534 --clear-groups \
   env HOME="$home" WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
   "$wine" start 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Deradu.lnk' \
   </dev/null >/dev/null 2>&1) || fail "the shortcut did not start"
main=$(window_named "Deradu - .*\\.sms") || fail "the game did not open on a library puzzle"
echo "start: the shortcut opened the game on $(xdotool getwindowname "$main")"

xdotool windowfocus "$main" 2>/dev/null || true
sleep 0.5
save_game_as "installed"
saved=$(find "$prefix/drive_c/users" -path '*/AppData/Local/deradu/Saves/installed.ssv' | head -1)
[ -n "$saved" ] || fail "the save is not in %LOCALAPPDATA%\\deradu\\Saves"
[ "$(wc -l < "$saved")" = 243 ] || fail "the save is not a game"
echo "save: $(sed "s|^$prefix/drive_c|C:|" <<<"$saved")"
xdotool windowfocus "$main" 2>/dev/null || true
xdotool key alt+F4
wait_until '! xdotool search --name "^Deradu - installed.ssv\$" >/dev/null 2>&1' 15 ||
  fail "the game did not end"

# The uninstaller runs with the rights that may change Program Files; a file of the player's
# in the program folder stays, and so does the folder that holds it.
chmod -R u+w "$folder"
echo "my notes" > "$folder/notes.txt"
player "$wine" "C:\\Program Files\\Deradu\\Uninstall.exe" /S </dev/null >/dev/null 2>&1 ||
  fail "the silent uninstall failed"
# The uninstaller goes on from a copy of itself in the temporary folder.
wait_until '[ ! -e "$folder/Uninstall.exe" ]' 60 || fail "the uninstall did not finish"
left=$(cd "$folder" && find . -mindepth 1 | sort | tr '\n' ' ')
[ "$left" = "./notes.txt " ] || fail "the uninstall left '$left'"
[ ! -e "$shortcut" ] || fail "the shortcut stayed"
! player "$wine" reg query "$key" </dev/null >/dev/null 2>&1 || fail "the uninstall entry stayed"
[ -f "$saved" ] && [ -f "$(dirname "$(dirname "$saved")")/Tarnwick.ini" ] ||
  fail "the uninstall removed the player's files"
echo "uninstall: programs, shortcut and entry gone; the save, the settings and notes.txt kept"
