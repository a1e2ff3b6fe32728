#!/usr/bin/env bash
# Runs every fuzz target of a DERADU_FUZZ build for a bounded time, starting from its seed
# corpus (an in-memory target shares the seeds of the file target it comes from). Inputs
# found on the way are kept in BUILD_DIR/fuzz-corpus for the next run; an input that breaks a
# target is saved in BUILD_DIR/fuzz-artifacts and the script fails.
# Usage: tests/fuzz/run_fuzz.sh BUILD_DIR SECONDS [TARGET...]
set -uo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 BUILD_DIR SECONDS [TARGET...]" >&2
  exit 2
fi
build=$(cd "$1" && pwd) || exit 2
seconds=$2
seeds=$(cd "$(dirname "$0")" && pwd)/corpus
targets=(settings_fuzz game_file_fuzz link_poll_fuzz
         settings_parse_fuzz game_file_parse_fuzz link_parse_fuzz)
[ $# -gt 2 ] && targets=("${@:3}")
# The seed folder of each target.
declare -A seed_folder=([settings_parse_fuzz]=settings_fuzz
                        [game_file_parse_fuzz]=game_file_fuzz [link_parse_fuzz]=link_poll_fuzz)
# The targets write and sync real files on every input; a memory file system keeps that fast.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi

failed=()
for target in "${targets[@]}"; do
  binary="$build/bin/$target"
  if [ ! -x "$binary" ]; then
    echo "$binary is missing: configure with CXX=clang++ and -DDERADU_FUZZ=ON, then build" >&2
    exit 2
  fi
  corpus="$build/fuzz-corpus/$target"
  artifacts="$build/fuzz-artifacts"
  mkdir -p "$corpus" "$artifacts"
  echo "== $target: ${seconds}s"
  if "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$artifacts/$target-" \
      "$corpus" "$seeds/${seed_folder[$target]:-$target}" 2> "$build/$target.log"; then
    grep -E '^stat::number_of_executed_units|^Done' "$build/$target.log"
  else
    failed+=("$target")
    tail -n 40 "$build/$target.log"
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing failed: ${failed[*]} (inputs in $build/fuzz-artifacts)" >&2
  exit 1
fi
echo "fuzzing clean: ${targets[*]}"
