#!/usr/bin/env python3
"""The game and its help viewer on GNOME's compositor, run headless: the help commands bring
the viewer to the front through the compositor's activation tokens, a minimised viewer
included, each window names its desktop file by its app id, quitting the game closes the
viewer, and the viewer keeps its size but stores no place there.

Keys are real key presses through the compositor's remote-desktop interface: it grants the
focus only for input that reached the focused window. Menu items are pressed, and which window
is active is read, over AT-SPI.

Usage: wayland_help_test.py TARNWICK LEAFVIEW HELP_DOCUMENT. Run inside dbus-run-session."""

import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

import pyatspi

from gi.repository import Gio, GLib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import atspi_session  # noqa: E402
from atspi_session import fail, pump, stop, verdict, wait_for, walk  # noqa: E402

atspi_session.TIMEOUT = 30  # seconds for any one condition
DISPLAY_NAME = "deradu-test"
GAME_TITLE = "Brindle's Deradu"
HELP_TITLE = "Brindle's Deradu Help"
# X keysyms of the keys pressed.
SHIFT, ALT, SUPER, TAB, F1, H = 0xFFE1, 0xFFE9, 0xFFEB, 0xFF09, 0xFFBE, 0x68


def frame(app_name, title):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == app_name:
            for child in app:
                if child is not None and child.getRoleName() == "frame" and child.name == title:
                    return child
    return None


def active(app_name, title):
    found = frame(app_name, title)
    return found is not None and found.getState().contains(pyatspi.STATE_ACTIVE)


def viewer_shows(topic):
    found = frame("Leafview", HELP_TITLE)
    return found is not None and any(n.getRoleName() == "label" and n.name == "LASTHELP " + topic
                                     for n in walk(found))


class Keyboard:
    """Key presses through a remote-desktop session of the compositor."""

    def __init__(self):
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION)
        paths = []
        wait_for("the compositor's remote-desktop interface",
                 lambda: paths.append(self.call("/org/gnome/Mutter/RemoteDesktop", "",
                                                "CreateSession", None, "(o)")[0]) or True)
        self.session = paths[0]
        self.call(self.session, ".Session", "Start")

    def call(self, path, interface, method, arguments=None, reply=None):
        return self.bus.call_sync(
            "org.gnome.Mutter.RemoteDesktop", path, "org.gnome.Mutter.RemoteDesktop" + interface,
            method, arguments, GLib.VariantType(reply) if reply else None,
            Gio.DBusCallFlags.NONE, 5000, None).unpack()

    def key(self, keysym, pressed):
        self.call(self.session, ".Session", "NotifyKeyboardKeysym",
                  GLib.Variant("(ub)", (keysym, pressed)))

    def press(self, *keys):
        """Holds the keys down in order for a moment, as a person does, then lets go."""
        for keysym in keys:
            self.key(keysym, True)
            time.sleep(0.1)
        time.sleep(0.2)
        for keysym in reversed(keys):
            self.key(keysym, False)
            time.sleep(0.1)


def press_menu_item(window, name):
    """Presses the menu item over AT-SPI. The game answers only once the command is done,
    which for a help command includes its pause, so the call runs aside and is not awaited."""
    item = next(n for n in walk(window) if n.getRoleName() == "menu item" and n.name == name)

    def press():
        try:
            item.queryAction().doAction(0)
        except GLib.Error:
            pass
    threading.Thread(target=press, daemon=True).start()


def link_values(work):
    values = {}
    try:
        with open(os.path.join(work, "Leafview.ini"), newline="") as f:
            for line in f.read().split("\r\n"):
                key, _, value = line.partition(" = ")
                values[key] = value
    except OSError:
        pass
    return values


def start_compositor(runtime):
    compositor = subprocess.Popen(
        ["mutter", "--headless", "--wayland", "--no-x11", "--virtual-monitor", "1280x1024",
         "--wayland-display", DISPLAY_NAME],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    socket = os.path.join(runtime, DISPLAY_NAME)
    wait_for("the compositor's socket", lambda: os.path.exists(socket))
    return compositor


def main():
    game_program, viewer_program, document = sys.argv[1:4]
    work = tempfile.mkdtemp()
    runtime = tempfile.mkdtemp()
    os.chmod(runtime, 0o700)
    os.environ["XDG_RUNTIME_DIR"] = runtime
    processes = []
    try:
        for program, name in ((game_program, "Tarnwick"), (viewer_program, "Leafview")):
            shutil.copy(program, os.path.join(work, name))
        shutil.copy(document, os.path.join(work, "deradu.htm"))
        with open(os.path.join(work, "Tarnwick.ini"), "w", newline="") as f:
            f.write("MoveFiles = 3\r\n")
        # A place stored by an earlier viewer, as Wayland sessions reported it.
        with open(os.path.join(work, "Leafview.ini"), "w", newline="") as f:
            f.write("WinX = -3\r\nWinY = -30\r\nWinW = 520\r\nWinH = 310\r\n")

        processes.append(start_compositor(runtime))
        keyboard = Keyboard()
        environment = dict(os.environ, WAYLAND_DISPLAY=DISPLAY_NAME, QT_QPA_PLATFORM="wayland",
                           QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                           QTWEBENGINE_DISABLE_SANDBOX="1",
                           QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu")
        environment.pop("DISPLAY", None)
        game = subprocess.Popen([os.path.join(work, "Tarnwick")], cwd=work, env=environment,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        processes.append(game)
        check_help(work, game, keyboard)
        for name, app_id in (("Tarnwick", "org.example.deradu"),
                             ("Leafview", "org.example.deradu.leafview")):
            check_identity(work, environment, name, app_id)
    finally:
        stop(processes)
        shutil.rmtree(work, ignore_errors=True)
        shutil.rmtree(runtime, ignore_errors=True)
    return verdict()


def check_help(work, game, keyboard):
    if not wait_for("the game window active", lambda: active("Tarnwick", GAME_TITLE), 60):
        return
    window = frame("Tarnwick", GAME_TITLE)

    # F1 opens help. The compositor gives the game its keyboard with the first key it sends,
    # which may arrive before the game has it: F1 is pressed again until the game hears it.
    for _ in range(3):
        keyboard.press(F1)
        if wait_for("help asked for", lambda: link_values(work).get("LASTHELP") == "#Contents",
                    5, quiet=True):
            break
    if not wait_for("the viewer started and active", lambda: active("Leafview", HELP_TITLE), 60):
        print("link file:", link_values(work))
        print("on AT-SPI:", [(app.name, [(c.name, c.getState().contains(pyatspi.STATE_ACTIVE))
                                         for c in app if c is not None])
                             for app in pyatspi.Registry.getDesktop(0) if app is not None])
        return
    viewer = int(link_values(work).get("HANDLE", "0"))
    print("F1: the viewer (process %d) is active" % viewer, flush=True)

    keyboard.press(ALT, TAB)
    if not wait_for("the game active again", lambda: active("Tarnwick", GAME_TITLE)):
        return
    # Rules through its menu item; the key before it is the input the token is asked for.
    keyboard.press(SHIFT)
    press_menu_item(window, "Rules")
    if wait_for("the running viewer active, showing Rules",
                lambda: active("Leafview", HELP_TITLE) and viewer_shows("#Rules")):
        print("Rules: the running viewer is active and shows Rules", flush=True)

    keyboard.press(SUPER, H)  # the compositor's key for minimising the active window
    if wait_for("the viewer minimised, the game active",
                lambda: active("Tarnwick", GAME_TITLE) and not active("Leafview", HELP_TITLE)):
        keyboard.press(SHIFT)
        press_menu_item(window, "Options")
        if wait_for("the minimised viewer back and active, showing Game",
                    lambda: active("Leafview", HELP_TITLE) and viewer_shows("#Game")):
            print("Options: the minimised viewer came back, active, showing Game", flush=True)

    press_menu_item(window, "Exit")
    wait_for("the game ended", lambda: game.poll() is not None)
    wait_for("the viewer ended", lambda: not os.path.exists("/proc/%d" % viewer))
    values = link_values(work)
    kept = {key: values.get(key) for key in ("LASTTIME", "WinX", "WinY", "WinW", "WinH")}
    want = {"LASTTIME": "000", "WinX": "-3", "WinY": "-30", "WinW": "520", "WinH": "310"}
    if kept != want:
        fail("the viewer left %s, not %s" % (kept, want))
    print("exit: both ended; the link file keeps %s" % kept, flush=True)


def check_identity(work, environment, name, app_id):
    """The program's window names its desktop file by its app id, as its requests to the
    compositor show; each program runs alone for it, since printing every request slows the
    web engine down."""
    log_path = os.path.join(work, name + ".protocol.log")
    with open(log_path, "w") as log:
        program = subprocess.Popen([os.path.join(work, name)], cwd=work,
                                   env=dict(environment, WAYLAND_DEBUG="client"),
                                   stdout=subprocess.DEVNULL, stderr=log)
    ids = set()

    def app_id_set():
        with open(log_path, errors="replace") as log:
            ids.update(line.split('set_app_id("')[1].split('"')[0] for line in log
                       if 'set_app_id("' in line)
        return ids
    wait_for("the app id of %s" % name, app_id_set, 60)
    program.terminate()
    program.wait()
    if ids != {app_id}:
        fail("%s's windows have the app ids %s" % (name, sorted(ids)))
    print("%s: app id %s" % (name, ", ".join(sorted(ids))), flush=True)


if __name__ == "__main__":
    sys.exit(main())
