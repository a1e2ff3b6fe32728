#!/usr/bin/env python3
"""The game as a screen reader sees it over AT-SPI: the real program on a private X server
and session bus, driven by real clicks, its accessibility tree read with pyatspi.

Usage: accessibility_test.py TARNWICK. Run inside dbus-run-session."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
from atspi_session import fail, pump, stop, verdict, wait_for, walk  # noqa: E402

# A puzzle with 30 givens, row by row; "." is an empty cell.
PUZZLE = ("53..7...."
          "6..195..."
          ".98....6."
          "8...6...3"
          "4..8.3..1"
          "7...2...6"
          ".6....28."
          "...419..5"
          "....8..79")

# Every AT-SPI event the session has seen, in order.
events = []


def cell_name(k):
    row, column = divmod(k, 9)
    return "Row %d, column %d, box %d" % (row + 1, column + 1, 3 * (row // 3) + column // 3 + 1)


def focusable(frame):
    return [n for n in walk(frame) if n.getState().contains(pyatspi.STATE_FOCUSABLE)]


def presented(node):
    """Everything a screen reader can read of a gadget: its name, its description and the
    text of its text interface, where it has one."""
    try:
        text = node.queryText()
        body = text.getText(0, text.characterCount)
    except NotImplementedError:
        body = None
    return node.name, node.description, body


def is_checked(node):
    return node.getState().contains(pyatspi.STATE_CHECKED)


def click(node):
    """A person's click in the middle of the gadget: the press held a few hundred ms."""
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    x, y = box.x + box.width // 2, box.y + box.height // 2
    subprocess.run(["xdotool", "mousemove", str(x), str(y)], check=True)
    time.sleep(0.15)
    subprocess.run(["xdotool", "mousedown", "1"], check=True)
    time.sleep(0.3)
    subprocess.run(["xdotool", "mouseup", "1"], check=True)


def press_key(key):
    """A key held as a person holds it."""
    subprocess.run(["xdotool", "keydown", key], check=True)
    time.sleep(0.2)
    subprocess.run(["xdotool", "keyup", key], check=True)
    time.sleep(0.2)


def holder(board, k, digit):
    """The first of k's row, column and box that shows digit, as the game names it."""
    row, column = divmod(k, 9)
    box = 3 * (row // 3) + column // 3
    units = [("row %d" % (row + 1), [9 * row + c for c in range(9)]),
             ("column %d" % (column + 1), [9 * r + column for r in range(9)]),
             ("box %d" % (box + 1), [9 * r + c for r in range(3 * (row // 3), 3 * (row // 3) + 3)
                                     for c in range(3 * (column // 3), 3 * (column // 3) + 3)])]
    return next((name for name, cells in units
                 if any(board[i] == digit for i in cells if i != k)), None)


def candidates(board, k):
    row, column = divmod(k, 9)
    top, left = 3 * (row // 3), 3 * (column // 3)
    seen = {board[9 * row + c] for c in range(9)} | {board[9 * r + column] for r in range(9)}
    seen |= {board[9 * r + c] for r in range(top, top + 3) for c in range(left, left + 3)}
    return [d for d in "123456789" if d not in seen]


def start_x_server(work):
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                               "1024x768x24", "-nolisten", "tcp"], pass_fds=(write_end,),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as display:
        os.environ["DISPLAY"] = ":" + display.readline().strip()
    return server


def main():
    work = tempfile.mkdtemp()
    processes = []
    try:
        program = os.path.join(work, "Tarnwick")
        shutil.copy(sys.argv[1], program)
        masters = os.path.join(work, "Masters")
        os.makedirs(masters)
        os.makedirs(os.path.join(work, "Saves"))
        lines = []
        for c in PUZZLE:
            digit = "0" if c == "." else c
            lines += [digit, "0" if c == "." else "-" + c, "0"]
        with open(os.path.join(masters, "access.sms"), "w", newline="") as f:
            f.write("".join(line + "\r\n" for line in lines))
        with open(os.path.join(work, "Tarnwick.ini"), "w", newline="") as f:
            f.write("MoveFiles = 3\r\nSound = 21\r\n")

        processes.append(start_x_server(work))
        environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                           QT_QPA_PLATFORM="xcb")
        processes.append(subprocess.Popen([program], cwd=work, env=environment,
                                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        check_game()
    finally:
        stop(processes)
        shutil.rmtree(work, ignore_errors=True)
    return verdict()


def find_frame():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Tarnwick":
            for child in app:
                if child is not None and child.getRoleName() == "frame" and \
                        child.name == "Deradu - access.sms":
                    return child
    return None


announcements = []


def listen(event):
    events.append(event)
    # The notification's words as it shows, before the next announcement changes them.
    if event.type == "object:state-changed:showing" and event.detail1 == 1 and \
            event.source.getRoleName() == "notification":
        announcements.append(event.source.name)


def await_announcements(what, texts, before):
    """Waits for texts to be all that was announced since the first before announcements.
    Each announcement is an event in the program's ordered stream, so one said twice, or
    said again at a later focus, shows up in the list ahead of the next one expected."""
    if wait_for("the announcements %r %s" % (texts, what),
                lambda: len(announcements) >= before + len(texts)):
        if announcements[before:] != texts:
            fail("announced %s: %r, not %r" % (what, announcements[before:], texts))
        else:
            print("announced %s: %r" % (what, texts))


def check_first_focus(frame, cells):
    """Tab from the window into the first empty cell of the fresh board. A screen reader
    speaks a focus only when nothing told it of the field before: a caret move reported
    before the focus makes it move there silently. The game then enters the chosen 1, and
    an undo takes it out again, announced."""
    pyatspi.Registry.registerEventListener(listen, "object:text-caret-moved",
                                           "object:state-changed:focused",
                                           "object:state-changed:showing",
                                           "object:text-changed",
                                           "object:property-change:accessible-description")
    first = PUZZLE.index(".")
    # A click on the "Color:" label, which takes no focus, makes the window the active one.
    label = next(n for n in walk(frame) if n.getRoleName() == "label" and n.name == "Color:")
    click(label)
    for k in range(first + 1):
        press_key("Tab")
        if not wait_for("Tab to focus %s" % cell_name(k),
                        lambda: cells[k].getState().contains(pyatspi.STATE_FOCUSED)):
            return
    wait_for("the focus event of %s" % cell_name(first), lambda: any(
        e.source == cells[first] and e.type == "object:state-changed:focused" and e.detail1 == 1
        for e in events))
    kinds = [e.type for e in events if e.source == cells[first]]
    if "object:state-changed:focused" in kinds:
        early = kinds[:kinds.index("object:state-changed:focused")]
        if early:
            fail("%s reported %s before its first focus" % (cell_name(first), early))
        else:
            print("first focus of %s: %s" % (cell_name(first), kinds[:3]))
    if wait_for("the chosen 1 in %s" % cell_name(first),
                 lambda: cells[first].description == "1, your digit, red"):
        # Nothing was announced before: Tab over the givens and the entry say nothing more.
        press_key("ctrl+z")
        wait_for("the undo to empty %s" % cell_name(first),
                 lambda: cells[first].description == "empty")
        await_announcements("after the undo", ["Undo: %s, empty" % cell_name(first)], 0)


def check_entry_and_refusal(cells, by_name):
    """A digit entered by clicking "4" and then an empty cell where 4 may stand; then 4
    refused in another cell, announced with the unit that holds it, once: a later focus
    announces nothing. Gives the cell with the 4 and the board."""
    board = PUZZLE
    target = next(k for k, c in enumerate(board) if c == "." and "4" in candidates(board, k))
    click(by_name["Number 4"])
    wait_for("Number 4 checked", lambda: is_checked(by_name["Number 4"]))
    click(cells[target])
    if not wait_for("%s to show the player's 4" % cell_name(target),
                    lambda: cells[target].description == "4, your digit, blue"):
        return None, board
    print("entered: %s %r" % (cell_name(target), cells[target].description))
    board = board[:target] + "4" + board[target + 1:]
    wait_for("description and text events of %s" % cell_name(target),
             lambda: {e.type.split(":")[1] for e in events if e.source == cells[target]} >=
             {"property-change"})

    # Refused, then a focus elsewhere, then an undo: two announcements, each once.
    refused = next(k for k, c in enumerate(board) if c == "." and holder(board, k, "4"))
    before = len(announcements)
    click(cells[refused])
    refusal = "4 is already in %s" % holder(board, refused, "4")
    wait_for("the refusal announced", lambda: refusal in announcements[before:])
    click(cells[target])
    wait_for("the focus on %s" % cell_name(target),
             lambda: cells[target].getState().contains(pyatspi.STATE_FOCUSED))
    press_key("ctrl+z")
    wait_for("the undo to empty %s" % cell_name(target),
             lambda: cells[target].description == "empty")
    await_announcements("after 4 in %s, a later focus and an undo" % cell_name(refused),
                        [refusal, "Undo: %s, empty" % cell_name(target)], before)
    # The 4 again, through the number bar, for the checks that follow.
    click(by_name["Number 4"])
    click(cells[target])
    if not wait_for("%s to show the player's 4 again" % cell_name(target),
                    lambda: cells[target].description == "4, your digit, blue"):
        return None, board
    return target, board


def check_game():
    frames = []
    if not wait_for("the game window showing the puzzle",
                    lambda: frames.append(find_frame()) or frames[-1] is not None, 40):
        return
    frame = frames[-1]
    by_name = {}
    if not wait_for("119 focusable gadgets", lambda: len(focusable(frame)) == 119):
        return
    gadgets = focusable(frame)
    names = [g.name for g in gadgets]
    empty = [g.getRoleName() for g in gadgets if not g.name]
    if empty:
        fail("%d focusable gadgets have no name: %s" % (len(empty), empty[:5]))
    repeated = sorted({n for n in names if names.count(n) > 1})
    if repeated:
        fail("names used twice: %s" % repeated[:5])
    by_name = {g.name: g for g in gadgets}
    print("focusable names:", "; ".join(names[81:]))

    # The cells by row and column: givens, empty cells, and the text is the digit.
    cells = [by_name.get(cell_name(k)) for k in range(81)]
    if None in cells:
        fail("cells missing: %s" % [cell_name(k) for k in range(81) if cells[k] is None][:5])
        return
    check_first_focus(frame, cells)

    # A cell reads by its name and description alone: the field's own text, which is the
    # game's real text, is no part of it.
    def described(k, description):
        return presented(cells[k]) == (cell_name(k), description, None)

    for k, c in enumerate(PUZZLE):
        want = "empty" if c == "." else c + ", given"
        if not described(k, want):
            fail("%s reads %r, not %r" % (cell_name(k), presented(cells[k]), want))
    print("cells: %s %r, %s %r" % (cells[0].name, cells[0].description, cells[2].name,
                                   cells[2].description))

    # Menu items without the key hint, which is their key binding instead.
    exits = [n for n in walk(frame) if n.getRoleName() == "menu item" and n.name.startswith("Exit")]
    if [n.name for n in exits] != ["Exit"]:
        fail("the Exit item is named %r" % [n.name for n in exits])
    elif exits[0].queryAction().getKeyBinding(0) != "Alt+F4":
        fail("the Exit item's key binding is %r" % exits[0].queryAction().getKeyBinding(0))

    # The chosen colour square is the checked one.
    squares = ["Red", "Green", "Blue", "Dark red", "Dark green", "Navy", "Grey", "Olive", "Teal"]
    if [s for s in squares if is_checked(by_name[s])] != ["Red"]:
        fail("Red is not the one checked colour at start")
    click(by_name["Blue"])
    wait_for("Blue checked alone",
             lambda: [s for s in squares if is_checked(by_name[s])] == ["Blue"])

    target, board = check_entry_and_refusal(cells, by_name)
    if target is None:
        return

    # Marking: every 4, given or the player's, reads as marked; other digits do not.
    click(by_name["Mark the chosen number"])

    def marked():
        for k, c in enumerate(board):
            if c == ".":
                want = "empty"
            else:
                want = c + (", your digit, blue" if k == target else ", given")
                if c == "4":
                    want += ", marked"
            if cells[k].description != want:
                return False
        return True
    if wait_for("every 4 marked", marked):
        print("marked: %s %r" % (cell_name(target), cells[target].description))
    click(by_name["Mark the chosen number"])
    wait_for("marking off", lambda: cells[target].description == "4, your digit, blue")

    # A row toggle highlights the empty cells of its row.
    click(by_name["Highlight row 3"])
    row3 = [k for k in range(18, 27) if board[k] == "."]
    wait_for("row 3 highlighted",
             lambda: all(cells[k].description == "empty, highlighted" for k in row3))
    print("highlighted: %s %r" % (cell_name(row3[0]), cells[row3[0]].description))

    # Hints through the Hint menu: every empty cell reads its candidates.
    hint_menu = next(n for n in walk(frame) if n.getRoleName() == "menu item" and n.name == "Hint")
    click(hint_menu)
    hints_item = [None]

    def hints_shown():
        hints_item[0] = next(n for n in hint_menu[0] if n.name == "Hints")
        return hints_item[0].getState().contains(pyatspi.STATE_SHOWING)
    if not wait_for("the Hint menu open", hints_shown):
        return
    click(hints_item[0])

    # A hint reads as its candidates, apart, never as the cell's hint text with its "0".
    def hinted(k):
        name, description, body = presented(cells[k])
        words = description.split(" ", 1)
        digits = words[1].split(", ") if len(words) == 2 else []
        return name == cell_name(k) and body is None and \
            words[0] == ("candidates" if len(digits) > 1 else "candidate") and \
            all(len(d) == 1 and d != "0" for d in digits) and \
            set(digits) <= set(candidates(board, k))
    empties = [k for k, c in enumerate(board) if c == "."]
    if wait_for("hints in every empty cell", lambda: all(hinted(k) for k in empties)):
        k = empties[0]
        print("hint: %s %r" % (cell_name(k), presented(cells[k])))


if __name__ == "__main__":
    sys.exit(main())
