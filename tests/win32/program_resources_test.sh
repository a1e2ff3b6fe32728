#!/usr/bin/env bash
# Reads what Windows shows of each program from its file: the icon at 16, 32, 48 and 256
# pixels, the version record, and the manifest that asks for the common controls and for
# drawing at each monitor's DPI.
# Usage: program_resources_test.sh VERSION EXE... (each EXE named as it is installed).
# Exits 77 (skipped) without icoutils or windres.
set -euo pipefail
version=$1
shift
windres=x86_64-w64-mingw32-windres
for tool in wrestool icotool "$windres"; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

for exe in "$@"; do
  name=$(basename "$exe" .exe)
  # The icon group, as Explorer and the task bar pick their size from it.
  wrestool --extract --type=14 --output="$work/$name.ico" "$exe" ||
    fail "$name has no icon"
  sizes=$(icotool --list "$work/$name.ico" | sed -n 's/.*--width=\([0-9]*\) .*/\1/p' | sort -n |
          tr '\n' ' ')
  [ "$sizes" = "16 32 48 256 " ] || fail "$name's icon images are '$sizes'"

  rc=$("$windres" --input "$exe" --output-format rc)
  value() { sed -n "s/^ *VALUE \"$1\", \"\(.*\)\"\$/\1/p" <<<"$rc"; }
  [ "$(value ProductName)" = Deradu ] || fail "$name's ProductName is '$(value ProductName)'"
  [ "$(value FileVersion)" = "$version" ] && [ "$(value ProductVersion)" = "$version" ] ||
    fail "$name's versions are '$(value FileVersion)' and '$(value ProductVersion)'"
  [ "$(value OriginalFilename)" = "$name.exe" ] && [ "$(value InternalName)" = "$name" ] ||
    fail "$name's file names are '$(value OriginalFilename)' and '$(value InternalName)'"
  description=$(value FileDescription)
  [[ "$description" == *Deradu* ]] || fail "$name's description '$description'"
  [[ "$(value LegalCopyright)" == Copyright* ]] || fail "$name has no copyright"
  # The binary version Explorer shows as "File version": the dotted one, padded with zeros.
  padded=$(awk -F. '{ printf "%d, %d, %d, %d", $1, $2, $3, $4 }' <<<"$version")
  grep -q "FILEVERSION $padded\$" <<<"$rc" && grep -q "PRODUCTVERSION $padded\$" <<<"$rc" ||
    fail "$name's binary version is not $padded"

  wrestool --extract --raw --type=24 --output="$work/$name.manifest" "$exe" ||
    fail "$name has no manifest"
  manifest=$(tr -d '\r\n' < "$work/$name.manifest")
  for needed in 'Microsoft.Windows.Common-Controls" version="6.0.0.0"' \
                '>PerMonitorV2, PerMonitor</dpiAwareness>' '>true/pm</dpiAware>'; do
    [[ "$manifest" == *"$needed"* ]] || fail "$name's manifest lacks $needed"
  done
  echo "$name: icon 16/32/48/256, $description $version, per-monitor DPI aware"
done
