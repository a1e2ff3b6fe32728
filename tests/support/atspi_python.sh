# Sourced by the AT-SPI tests' scripts: sets $python to the Python that has pyatspi (the
# system's, which a Python on PATH ahead of it may hide), or exits 77 (skipped) without one.
python=""
for candidate in python3 /usr/bin/python3; do
  if "$candidate" -c 'import pyatspi' 2>/dev/null; then python=$candidate; break; fi
done
[ -n "$python" ] || { echo "skipped: no python3 with pyatspi"; exit 77; }
