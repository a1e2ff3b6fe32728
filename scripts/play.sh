#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the game and its help viewer, and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
exec build/bin/Tarnwick
