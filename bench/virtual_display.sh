# Sourced by the benchmarks: start_virtual_display starts Xvfb on a display of its own,
# exports DISPLAY for it, and stops it when the calling script exits.
start_virtual_display() {
  local display=:$((90 + RANDOM % 100))
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  local xvfb=$!
  trap "kill $xvfb 2>/dev/null || true" EXIT
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
  export DISPLAY=$display
}
