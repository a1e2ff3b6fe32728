#!/usr/bin/env bash
# Installs everything the game, its help viewer and their tests need on Debian 12, the
# Windows cross compiler and wine, which runs the Windows build's tests, included, and the tools
# that make the Windows icon (rsvg-convert, icotool) and installer (makensis).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools qt6-svg-dev
  qt6-base-private-dev qt6-wayland libwayland-dev wayland-protocols mutter
  libgl-dev libglx-dev
  libsdl2-dev
  libgtest-dev googletest
  clang libclang-rt-14-dev
  xvfb xauth openbox xdotool x11-utils
  at-spi2-core dbus-x11 python3-pyatspi
  dpkg-dev file desktop-file-utils appstream
  fonts-liberation2
  g++-mingw-w64-x86-64-posix wine64
  librsvg2-bin icoutils nsis
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
