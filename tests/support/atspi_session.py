"""What the AT-SPI tests share: failures noted as they happen, the session's events taken
while waiting, and waits for a condition until a deadline."""

import time

from gi.repository import GLib

TIMEOUT = 20  # seconds for any one condition, unless a test sets its own

failures = []


def fail(message):
    failures.append(message)
    print("FAIL:", message, flush=True)


def pump():
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def wait_for(what, condition, timeout=None, quiet=False):
    """Waits until condition() is true, taking AT-SPI events meanwhile; False on timeout."""
    deadline = time.monotonic() + (TIMEOUT if timeout is None else timeout)
    while True:
        pump()
        try:
            if condition():
                return True
        except Exception:  # the tree changes under our feet while a program starts
            pass
        if time.monotonic() > deadline:
            if not quiet:
                fail("timed out waiting for " + what)
            return False
        time.sleep(0.05)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def stop(processes):
    """Ends the programs a test started, the last started first."""
    for process in reversed(processes):
        process.terminate()
        process.wait()


def verdict():
    """The test's exit status: 1 after any failure, else 0."""
    if failures:
        print("%d failure(s)" % len(failures))
        return 1
    print("PASS")
    return 0
