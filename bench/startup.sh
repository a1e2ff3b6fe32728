#!/usr/bin/env bash
# Times the game's start-up against a bare Qt window and, when it is installed, GNOME Sudoku:
# each program is started in turn, round after round, under Xvfb with the openbox window
# manager, and the script prints each one's median time from exec to its first visible
# window, its resident memory, processor time and count of shared libraries at that moment,
# and its resident memory one second later. It builds nothing: build Tarnwick,
# bare_window and first_window first (cmake --build BUILD --target Tarnwick bare_window
# first_window).
#
#   bench/startup.sh [BUILD_DIR] [ROUNDS] [NAME=PROGRAM ...]     (defaults: build, 9)
#
# Each NAME=PROGRAM is timed beside the others, e.g. an older build of Tarnwick.
# Needs Xvfb, openbox and, for a session bus like a desktop's, dbus-run-session. The first
# round warms the file cache and lets Tarnwick create its folders; it is not counted. The
# machine should otherwise be idle: on a busy one, take several runs and compare ranges.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
rounds=${2:-9}
bin=$build/bin
for program in Tarnwick bare_window first_window; do
  [ -x "$bin/$program" ] || { echo "startup.sh: $bin/$program is not built" >&2; exit 2; }
done

# The outer call starts the display and a session bus, and runs the script again inside them.
if [ -z "${DERADU_BENCH_INSIDE:-}" ]; then
  source bench/virtual_display.sh
  start_virtual_display
  export DERADU_BENCH_INSIDE=1
  runner=()
  command -v dbus-run-session >/dev/null && runner=(dbus-run-session --)
  # The session bus and the services it starts talk on stdout and stderr; only the rounds'
  # own output reaches the caller.
  "${runner[@]}" "$0" "$@" 3>&2 4>&1 >/dev/null 2>&1
  exit
fi

exec 1>&4 2>&3 3>&- 4>&-
openbox >/dev/null 2>&1 &
openbox=$!
trap 'kill $openbox 2>/dev/null || true' EXIT
sleep 1
export QT_QPA_PLATFORM=xcb GDK_BACKEND=x11

names=(Tarnwick "bare Qt window")
commands=("$bin/Tarnwick" "$bin/bare_window")
sudoku=$(PATH=$PATH:/usr/games command -v gnome-sudoku || true)
if [ -n "$sudoku" ]; then
  names+=("GNOME Sudoku")
  commands+=("$sudoku")
fi

for extra in "${@:3}"; do
  names+=("${extra%%=*}")
  commands+=("${extra#*=}")
done

results=$(mktemp)
for round in $(seq 0 "$rounds"); do
  for i in "${!commands[@]}"; do
    if line=$("$bin/first_window" 20000 "${commands[$i]}" 2>/dev/null); then
      [ "$round" -gt 0 ] && echo "$i $line" >>"$results"
    else
      echo "startup.sh: ${names[$i]}: no window within 20 s" >&2
    fi
    sleep 0.3
  done
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
range() { sort -n | awk 'NR == 1 { lo = $1 } { hi = $1 } END { printf "%s-%s", lo, hi }'; }
printf '%-16s %4s %9s %13s %7s %7s %5s %7s\n' program runs "median ms" "range ms" "CPU ms" \
  "RSS MB" libs "1 s on"
declare -A ms
for i in "${!commands[@]}"; do
  times=$(awk -v i="$i" '$1 == i { print $2 }' "$results")
  [ -n "$times" ] || continue
  ms[$i]=$(median <<<"$times")
  rss=$(awk -v i="$i" '$1 == i { print $3 / 1024 }' "$results" | median)
  cpu=$(awk -v i="$i" '$1 == i { print $4 }' "$results" | median)
  libraries=$(awk -v i="$i" '$1 == i { print $5 }' "$results" | median)
  settled=$(awk -v i="$i" '$1 == i { print $6 / 1024 }' "$results" | median)
  printf '%-16s %4d %9.1f %13s %7.1f %7.1f %5d %7.1f\n' "${names[$i]}" "$(wc -l <<<"$times")" \
    "${ms[$i]}" "$(range <<<"$times")" "$cpu" "$rss" "$libraries" "$settled"
done
rm -f "$results"
[ -n "${ms[1]:-}" ] && awk -v t="${ms[0]}" -v b="${ms[1]}" \
  'BEGIN { printf "Tarnwick / bare Qt window: %.2f\n", t / b }'
[ -n "${ms[2]:-}" ] && awk -v t="${ms[0]}" -v g="${ms[2]}" \
  'BEGIN { printf "Tarnwick / GNOME Sudoku:   %.2f\n", t / g }'
exit 0
