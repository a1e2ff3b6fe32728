#!/usr/bin/env bash
# How quiet each program is while nothing happens: under Xvfb with the openbox window manager
# it starts, each on its own, Tarnwick with a puzzle and the default sounds; Tarnwick with a
# custom error and win WAV; the same again, measured from 5 s after one error sound; Leafview
# showing a topic; and GNOME Sudoku when it is installed. From 5 s after the start (or after
# the sound) it counts, over 20 s, the context switches of all the program's threads, its
# child processes' threads included, and their processor time, and prints wake-ups per second
# and processor milliseconds per minute side by side. It builds nothing: build Tarnwick and
# Leafview first (cmake --build BUILD --target Tarnwick Leafview).
#
#   bench/idle.sh [BIN_DIR]     (default: build/bin)
#
# The programs run from a copy of BIN_DIR's programs in a temporary folder, so that their
# settings and link files start fresh. SDL plays through its dummy driver unless
# SDL_AUDIODRIVER names another, so that every machine has a sound device to open. Needs
# Xvfb, openbox and xdotool; the machine should otherwise be idle.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
bin=$(realpath "${1:-$source_dir/build/bin}")
cd "$source_dir"
for program in Tarnwick Leafview deradu.htm; do
  [ -e "$bin/$program" ] || { echo "idle.sh: $bin/$program is not built" >&2; exit 2; }
done

# The outer call starts the display, and runs the script again inside it.
if [ -z "${DERADU_BENCH_INSIDE:-}" ]; then
  source bench/virtual_display.sh
  start_virtual_display
  DERADU_BENCH_INSIDE=1 "$source_dir/bench/idle.sh" "$bin"
  exit
fi

openbox >/dev/null 2>&1 &
openbox=$!
work=$(mktemp -d)
trap 'kill $openbox 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 1
export QT_QPA_PLATFORM=xcb GDK_BACKEND=x11
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
# The web engine refuses its sandbox to root, as in a container.
[ "$(id -u)" = 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
settle=5
span=20

# A short sound: 0.3 s of silence, 16-bit mono PCM at 22050 frames per second.
le() {  # the number $1 as $2 little-endian bytes
  local i
  for ((i = 0; i < $2; i++)); do printf '\\x%02x' $((($1 >> (8 * i)) & 255)); done
}
samples=13230
{
  printf "RIFF$(le $((36 + samples)) 4)WAVEfmt $(le 16 4)$(le 1 2)$(le 1 2)"
  printf "$(le 22050 4)$(le 44100 4)$(le 2 2)$(le 16 2)data$(le $samples 4)"
  head -c "$samples" /dev/zero
} >"$work/sound.wav"

# A fresh program folder holding the programs, the help document and one master puzzle
# whose first cell is a given digit; its settings file gets the lines given.
program_folder() {
  local folder=$work/$1
  shift
  mkdir -p "$folder/Masters" "$folder/Saves"
  cp "$bin/Tarnwick" "$bin/Leafview" "$bin/deradu.htm" "$folder/"
  cp "$source_dir/tests/fuzz/corpus/game_file_fuzz/master_puzzle.sms" "$folder/Masters/puzzle.sms"
  printf '%s\r\n' "MoveFiles = 3" "$@" >"$folder/Tarnwick.ini"
  echo "$folder"
}

# Every process of the tree under the given one, itself first.
tree() {
  local pid=$1 child
  echo "$pid"
  for child in $(cat /proc/"$pid"/task/*/children 2>/dev/null); do tree "$child"; done
}

# One line per thread of the tree: "pid/tid context-switches processor-ns".
sample() {
  local pid task
  for pid in $(tree "$1"); do
    for task in /proc/"$pid"/task/*; do
      awk -v id="$pid/${task##*/}" -v ns="$(cut -d' ' -f1 "$task/schedstat" 2>/dev/null || echo 0)" \
        '/^(non)?voluntary_ctxt_switches/ { n += $2 } END { print id, n, ns }' \
        "$task/status" 2>/dev/null || true
    done
  done
}

# Wake-ups per second and processor milliseconds per minute between two samples; a thread
# that started in between counts from zero, one that ended is lost.
rates() {
  awk -v span="$span" 'NR == FNR { n[$1] = $2; ns[$1] = $3; next }
    { switches += $2 - n[$1]; cpu += $3 - ns[$1] }
    END { printf "%8.1f %10.0f\n", switches / span, cpu / 1e6 * 60 / span }' "$1" "$2"
}

printf '%-44s %8s %10s\n' program wake/s "CPU ms/min"
measure() {
  local name=$1 pid=$2
  sleep "$settle"
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "idle.sh: $name ended early" >&2
    return
  fi
  sample "$pid" >"$work/before"
  sleep "$span"
  sample "$pid" >"$work/after"
  printf '%-44s %s\n' "$name" "$(rates "$work/before" "$work/after")"
}

stop() {
  local pid=$1 name
  for name in $(tree "$pid" | tac); do kill "$name" 2>/dev/null || true; done
  wait "$pid" 2>/dev/null || true
}

# Waits for a visible window of the program, for up to 20 s.
window_of() {
  local id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.1
  done
  echo "idle.sh: no window" >&2
  return 1
}

run_tarnwick() {
  local name=$1 error_sound=$2 folder pid window
  shift 2
  folder=$(program_folder "$name" "$@")
  (cd "$folder" && exec ./Tarnwick >/dev/null 2>&1) &
  pid=$!
  window=$(window_of "$pid")
  if [ "$error_sound" = 1 ]; then
    # Tab takes the focus into the first cell, a given digit: entering the chosen "1" there
    # is refused with the error sound.
    sleep 1
    xdotool windowactivate --sync "$window" key --window "$window" Tab
  fi
  measure "Tarnwick, $name" "$pid"
  stop "$pid"
}

custom=("Sound = 22" "Custom = $work/sound.wav" "WinSound = 26" "WinCustom = $work/sound.wav")
run_tarnwick "default sounds" 0
run_tarnwick "custom error and win WAVs" 0 "${custom[@]}"
run_tarnwick "5 s after an error sound" 1 "${custom[@]}"

viewer_folder=$(program_folder viewer)
printf '%s\r\n' "HelpFile = deradu.htm" "Title = Brindle's Deradu Help" "LASTHELP = #Rules" \
  "LASTTIME = 50" "HANDLE = 0" >"$viewer_folder/Leafview.ini"
(cd "$viewer_folder" && exec ./Leafview >/dev/null 2>&1) &
viewer=$!
window_of "$viewer" >/dev/null
measure "Leafview, topic #Rules (with its children)" "$viewer"
stop "$viewer"

sudoku=$(PATH=$PATH:/usr/games command -v gnome-sudoku || true)
if [ -n "$sudoku" ]; then
  "$sudoku" >/dev/null 2>&1 &
  pid=$!
  window_of "$pid" >/dev/null
  measure "GNOME Sudoku" "$pid"
  stop "$pid"
fi
