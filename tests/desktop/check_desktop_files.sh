#!/usr/bin/env bash
# Validates the desktop files (the game's menu entry, the viewer's hidden one) and the
# metainfo, and checks the size of each rendered icon.
# Usage: check_desktop_files.sh SOURCE_FOLDER BUILD_FOLDER ICON_FOLDER
set -euo pipefail
source=$1
build=$2
icons=$3
id=org.example.deradu
desktop-file-validate "$source/$id.desktop"
desktop-file-validate "$build/$id.leafview.desktop"
appstreamcli validate --no-net "$build/$id.metainfo.xml"
for size in 48 256; do
  # A PNG gives its width and height as two 4-byte numbers from byte 16 on.
  read -r width height < <(od -An -tu4 --endian=big -j16 -N8 "$icons/deradu-$size.png")
  [ "$width $height" = "$size $size" ] || { echo "the $size px icon is $width x $height"; exit 1; }
done
