#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything and runs the whole test suite: the
# release build, the logic again under AddressSanitizer and UndefinedBehaviorSanitizer, a
# bounded run of each fuzz target (30 s each), and the Windows build's tests under wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDERADU_SANITIZE=ON -DDERADU_QT=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

if [ -x tests/fuzz/run_fuzz.sh ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DDERADU_QT=OFF -DDERADU_FUZZ=ON
  cmake --build build-fuzz -j "$jobs" --target settings_fuzz game_file_fuzz link_poll_fuzz \
    settings_parse_fuzz game_file_parse_fuzz link_parse_fuzz
  tests/fuzz/run_fuzz.sh build-fuzz "${DERADU_FUZZ_SECONDS:-30}"
fi

cmake -S . -B build-win -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
cmake --build build-win -j "$jobs"
scripts/wine_tests.sh build-win
