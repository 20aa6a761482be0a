#!/usr/bin/env python3
"""Types into quorvel without ever clicking the text: at start, and after a click on a page
tab, a snippet button, an attribute-palette button, F11 twice, the discard question and
the open dialog, the preview and the about window. Every key must land in the editor.
On the way, the preview must open maximised over the whole screen."""
import os
import subprocess
import sys
import tempfile
import time

from atspi_support import program_environment, pump, settle, stop
import pyatspi  # noqa: E402  (after the bindings' version is chosen)

QUORVEL = sys.argv[1]




def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and "quorvel" in (app.name or "").lower():
            return app
    return None


def wait_for(what, find, seconds=30):
    end = time.time() + seconds
    while time.time() < end:
        app = application()
        found = find(app) if app is not None else None
        if found is not None:
            return found
        pump(0.2)
    raise SystemExit("FAIL " + what + ": not found")


def named(name, roles=None):
    def find(app):
        return pyatspi.findDescendant(
            app, lambda a: a is not None and a.name == name and (roles is None or a.getRole() in roles)
            and a.getState().contains(pyatspi.STATE_SHOWING))
    return find


def click(accessible):
    x, y, width, height = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(x + width // 2), str(y + height // 2), "click", "1"], check=True)
    pump(0.8)


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "80", *names], check=True)
    pump(0.8)


def window_open(title):
    return subprocess.run(["xdotool", "search", "--name", "^" + title + "$"], capture_output=True).returncode == 0


def maximised_over_the_screen(title):
    """Whether the window manager keeps the window maximised, as wide as the screen."""
    window = subprocess.run(["xdotool", "search", "--name", "^" + title + "$"],
                            capture_output=True, text=True).stdout.split()[0]
    shape = dict(line.split("=", 1) for line in subprocess.run(
        ["xdotool", "getwindowgeometry", "--shell", window], capture_output=True, text=True).stdout.split())
    screen_width = subprocess.run(["xdotool", "getdisplaygeometry"], capture_output=True, text=True).stdout.split()[0]
    state = subprocess.run(["xprop", "-id", window, "_NET_WM_STATE"], capture_output=True, text=True).stdout
    print(f"     {title}: {shape.get('WIDTH')} x {shape.get('HEIGHT')}, {state.strip()}")
    return shape.get("WIDTH") == screen_width and "MAXIMIZED_VERT" in state and "MAXIMIZED_HORZ" in state


def wait_window(title, present, seconds=30):
    end = time.time() + seconds
    while time.time() < end:
        if window_open(title) == present:
            pump(0.8)
            return
        time.sleep(0.2)
    raise SystemExit(f"FAIL the window {title!r} did not {'open' if present else 'close'}")


work = tempfile.mkdtemp()
page = os.path.join(work, "page.html")
with open(page, "wb") as f:
    f.write(b"x\r\n")

env = program_environment()
program = subprocess.Popen([QUORVEL, page], env=env)
try:
    editor = wait_for("the editor", named("page.html", (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY)))
    text = editor.queryText()
    pump(1.0)
    steps = []

    def typed(after, digit):
        keys(digit)
        steps.append((after, digit))

    typed("start", "1")
    click(wait_for("the page tab", named("Дополнительные")))
    typed("a page tab", "2")
    click(wait_for("the first page tab", named("Стандартные")))
    click(wait_for("the bold button", named("жирный")))
    typed("a snippet button", "3")
    click(wait_for("the height button", named("высота")))
    typed("an attribute-palette button", "4")
    keys("F11")
    keys("F11")
    typed("F11 twice", "5")
    # The document is modified: Open asks first ("Да"), then shows its dialog.
    click(wait_for("the open button", named("Открыть")))
    wait_window("Внимание", True)
    keys("Return")
    wait_window("Выбор файла", True)
    keys("Escape")
    wait_window("Выбор файла", False)
    typed("the open dialog", "6")
    keys("F12")
    wait_window("Просмотр", True, 60)
    preview_maximised = settle(lambda: maximised_over_the_screen("Просмотр"), 5)
    keys("Escape")
    wait_window("Просмотр", False)
    typed("the preview", "7")
    click(wait_for("the help menu", named("Помощь")))
    click(wait_for("the about item", named("о программе")))
    wait_window("О программе", True)
    keys("Return")
    wait_window("О программе", False)
    typed("the about window", "8")

    if not preview_maximised:
        print("FAIL the preview did not open maximised over the screen")
        sys.exit(1)
    print("ok   the preview opened maximised over the screen")
    expected = '12 <b></b>3 height="100" 45678x'
    settle(lambda: text.getText(0, -1) == expected)
    got = text.getText(0, -1)
    if got != expected:
        print(f"FAIL the editor holds {got!r}, expected {expected!r}")
        for after, digit in steps:
            print(f"     {digit} typed after {after}: {'in the editor' if digit in got else 'LOST'}")
        sys.exit(1)
    print(f"ok   every key went to the editor: {got!r}")
finally:
    stop(program)
