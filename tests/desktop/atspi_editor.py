#!/usr/bin/env python3
"""Starts quorvel on a Windows-1251 page and reads its editor as a screen reader does:
the name and role, the text as Unicode, a Russian word typed on a Russian keyboard
layout (with its text-changed notification), and the caret offset after moves; then the
palette's page tabs as a page tab list whose chosen tab is selected."""
import os
import subprocess
import sys
import tempfile
import time

from atspi_support import program_environment, pump, settle, stop
import pyatspi  # noqa: E402  (after the bindings' version is chosen)

QUORVEL = sys.argv[1]
failures = []


def check(what, condition):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)




def wait_for(what, find, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found is not None:
            return found
        pump(0.2)
    raise SystemExit("FAIL " + what + ": not found")


def find_editor():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None or "quorvel" not in (app.name or "").lower():
            continue
        found = pyatspi.findDescendant(
            app, lambda a: a is not None and a.name == "страница.html"
            and a.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY))
        if found is not None:
            return found
    return None


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


work = tempfile.mkdtemp()
page = os.path.join(work, "страница.html")
with open(page, "wb") as f:
    f.write("<p>Старт</p>\r\n".encode("cp1251"))

layout = subprocess.run(["setxkbmap", "-query"], capture_output=True, text=True).stdout
subprocess.run(["setxkbmap", "ru"], check=True)
env = program_environment()
program = subprocess.Popen([QUORVEL, page], env=env)
events = []
try:
    editor = wait_for("the editor named after the page", find_editor)
    check("the editor is an editable text", editor.getState().contains(pyatspi.STATE_EDITABLE))
    text = editor.queryText()
    check("the page reads as Unicode", text.getText(0, -1) == "<p>Старт</p>")

    def listen(event):
        events.append((event.type, event.detail1, event.any_data))
    pyatspi.Registry.registerEventListener(listen, "object:text-changed:insert", "object:text-caret-moved")

    x, y, width, height = editor.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    xdotool("mousemove", str(x + 60), str(y + 5), "click", "1")
    xdotool("key", "End")
    # The keys of м, и and р, which the Russian layout has: xdotool presses their own
    # keys, one by one, instead of remapping spare ones as typing a string may do.
    xdotool("key", "--delay", "80", "Cyrillic_em", "Cyrillic_i", "Cyrillic_er")
    check("the typed Russian word reads back", settle(lambda: text.getText(0, -1) == "<p>Старт</p>мир"))
    print("     the editor holds " + repr(text.getText(0, -1)))
    settle(lambda: any(kind == "object:text-caret-moved" and offset == 15 for kind, offset, _ in events))
    check("the caret stands after it", text.caretOffset == 15)
    inserted = "".join(str(data) for kind, _, data in events if kind.startswith("object:text-changed:insert"))
    check("text-changed told of the typing", inserted == "мир")
    check("caret-moved told of the moves", any(kind == "object:text-caret-moved" and offset == 15
                                              for kind, offset, _ in events))
    xdotool("key", "Home")
    xdotool("key", "Right", "Right", "Right")
    check("the caret moved by keys", settle(lambda: text.caretOffset == 3))
    text.setCaretOffset(5)
    check("the caret moved through the text interface", settle(lambda: text.caretOffset == 5))

    tab_list = pyatspi.findDescendant(editor.getApplication(),
                                      lambda a: a is not None and a.getRole() == pyatspi.ROLE_PAGE_TAB_LIST)
    check("the palette is a page tab list", tab_list is not None)
    tabs = [tab_list.getChildAtIndex(i) for i in range(tab_list.childCount)] if tab_list else []
    check("its six children are page tabs named by their captions",
          [t.getRole() for t in tabs] == [pyatspi.ROLE_PAGE_TAB] * 6 and tabs[0].name == "Стандартные")
    selected = lambda: [t.name for t in tabs if t.getState().contains(pyatspi.STATE_SELECTED)]
    check("the first page is the selected tab", selected() == ["Стандартные"])
    if len(tabs) == 6:
        tabs[3].queryAction().doAction(0)
        check("pressing a tab selects it", settle(lambda: selected() == [tabs[3].name]))
        print("     selected: " + repr(selected()))
finally:
    stop(program)
    previous = [line.split()[-1] for line in layout.splitlines() if line.startswith("layout:")]
    subprocess.run(["setxkbmap", previous[0] if previous else "us"])

if failures:
    print(f"{len(failures)} check(s) failed; events seen: {events}")
    sys.exit(1)
