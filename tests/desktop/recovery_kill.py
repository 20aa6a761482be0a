#!/usr/bin/env python3
"""Kills quorvel with SIGKILL while a user types and checks that nothing typed is lost.

Each trial starts the program on an untitled page or on a Windows-1251 file, types random
keys on the US and the Russian layout (setxkbmap, so every key is a key of the layout),
kills it at a random moment — after the editor shows every key, or in the middle of the
typing — starts it again and chooses "Восстановить". The text must be exactly what was
typed up to the last key the editor is known to have handled, and nothing after the keys
it may have handled. Damaged journals (cut copies, random bytes) are planted on the way:
they must change nothing and crash nothing. At the end a saved document and a clean exit
leave no journal behind.

    recovery_kill.py QUORVEL [TRIALS] [SEED]
"""
import glob
import os
import random
import shutil
import subprocess
import sys
import tempfile
import threading
import time

from atspi_support import program_environment, pump, settle, stop
import pyatspi  # noqa: E402  (after the bindings' version is chosen)

QUORVEL = sys.argv[1]
TRIALS = int(sys.argv[2]) if len(sys.argv) > 2 else 100
SEED = int(sys.argv[3]) if len(sys.argv) > 3 else random.randrange(1 << 30)
rng = random.Random(SEED)

RUSSIAN = "абвгдеёжзийклмнопрстуфхцчшщъыьэюя"
RUSSIAN_NAMES = ("a be ve ghe de ie io zhe ze i shorti ka el em en o pe er es te u ef ha tse che sha shcha "
                 "hardsign yeru softsign e yu ya").split()
# Keys both layouts have, and each layout's own punctuation.
COMMON = {str(d): str(d) for d in range(10)}
COMMON.update({"exclam": "!", "asterisk": "*", "parenleft": "(", "parenright": ")", "minus": "-",
               "underscore": "_", "equal": "=", "plus": "+", "space": " "})
US = dict(COMMON)
US.update({c: c for c in "abcdefghijklmnopqrstuvwxyz"})
US.update({c.upper(): c.upper() for c in "abcdefghijklmnopqrstuvwxyz"})
US.update({"less": "<", "greater": ">", "slash": "/", "period": ".", "comma": ",", "quotedbl": '"',
           "apostrophe": "'", "bracketleft": "[", "bracketright": "]", "semicolon": ";", "colon": ":"})
RU = dict(COMMON)
for name, char in zip(RUSSIAN_NAMES, RUSSIAN):
    RU["Cyrillic_" + name] = char
    RU["Cyrillic_" + name.upper()] = char.upper()
RU.update({"period": ".", "comma": ",", "quotedbl": '"', "semicolon": ";", "colon": ":",
           "question": "?", "percent": "%", "numerosign": "№"})
LAYOUTS = {"us": US, "ru": RU}

PAGE_TEXT = "<html>\n<p>Привет, мир</p>\n<body>\n</html>"


class Document:
    """What the editor should hold: the lines as typed (a caret past a line's end pads it
    with blanks) and the caret. The editor drops trailing blanks; Shown() does the same."""

    def __init__(self, text):
        self.lines = text.split("\n")
        self.row = 0
        self.col = 0

    def line(self):
        return self.lines[self.row]

    def can_type(self, char):
        # No blank at a line's start: Enter would indent the next line after it.
        return char != " " or self.col > 0

    def can_backspace(self):
        # Only a character that stands after a non-blank: the editor keeps no trailing
        # blank, so one deleted there would leave the caret past the line's end.
        line = self.line()
        return self.col >= 1 and line[self.col - 1] != " " and (self.col == 1 or line[self.col - 2] != " ")

    def apply(self, key, char):
        line = self.line()
        if key == "Return":
            self.lines[self.row:self.row + 1] = [line[:self.col], line[self.col:]]
            self.row += 1
            self.col = 0
        elif key == "BackSpace":
            self.lines[self.row] = line[:self.col - 1] + line[self.col:]
            self.col -= 1
        else:
            self.lines[self.row] = line[:self.col] + char + line[self.col:]
            self.col += 1

    def shown(self):
        return "\n".join(line.rstrip(" ") for line in self.lines)


def random_typing(initial):
    """Phases of (layout, keys) and the text shown after each key (states[0]: before any)."""
    document = Document(initial)
    states = [document.shown()]
    phases = []
    for _ in range(rng.randint(1, 4)):
        layout = rng.choice(["us", "ru"])
        table = LAYOUTS[layout]
        keys = []
        for _ in range(rng.randint(5, 60)):
            roll = rng.random()
            if roll < 0.07 and document.can_backspace():
                key, char = "BackSpace", None
            elif roll < 0.14 and document.shown() != "":
                key, char = "Return", None
            else:
                key = rng.choice(list(table))
                char = table[key]
                if not document.can_type(char):
                    continue
            document.apply(key, char)
            keys.append(key)
            states.append(document.shown())
        if keys:
            phases.append((layout, keys))
    return phases, states


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and "quorvel" in (app.name or "").lower():
            return app
    return None


def find(predicate):
    app = application()
    if app is None:
        return None
    return pyatspi.findDescendant(app, lambda a: a is not None and predicate(a))


def wait_for(what, predicate, seconds=30):
    end = time.time() + seconds
    while time.time() < end:
        found = find(predicate)
        if found is not None:
            return found
        pump(0.1)
    raise SystemExit(f"FAIL seed {SEED}: {what} not found")


def showing(a):
    return a.getState().contains(pyatspi.STATE_SHOWING)


def editor_named(name=None):
    return lambda a: ((name is None or a.name == name) and a.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY)
                      and showing(a))


def answer_later_to_every_offer(editor):
    """Journals planted earlier may be offered at start: each is kept for later, until the
    editor has the keyboard and no offer has come for a while."""
    quiet = 0
    while quiet < 3:
        later = find(lambda a: a.name == "Позже" and a.getRole() == pyatspi.ROLE_PUSH_BUTTON and showing(a))
        if later is not None:
            later.queryAction().doAction(0)
            quiet = 0
        elif editor.getState().contains(pyatspi.STATE_FOCUSED):
            quiet += 1
        pump(0.2)


def text_of(editor):
    try:
        return editor.queryText().getText(0, -1)
    except Exception:  # the program is gone or busy
        return None


def type_phases(phases, delay, stop_event):
    # A phase under way is typed to its end: xdotool killed between a key's press and its
    # release would leave the key held down, repeating into the next program.
    for layout, keys in phases:
        if stop_event.is_set():
            return
        subprocess.run(["setxkbmap", layout], check=True)
        subprocess.run(["xdotool", "key", "--delay", str(delay), *keys], check=True)


def first_index(states, shown, start):
    """Where `shown` first stands in the typing at `start` or later; None when nowhere."""
    for index in range(start, len(states)):
        if states[index] == shown:
            return index
    return None


def journals(folder):
    return set(glob.glob(os.path.join(folder, "*.journal")))


def plant_damaged(folder, orphan, planted):
    """A cut copy of the orphan (older than it: its last record is cut off) and random bytes."""
    data = open(orphan, "rb").read()
    noise = bytes(rng.randrange(256) for _ in range(rng.randint(1, 4000)))
    for content, cut in ((data[:rng.randrange(len(data))], True), (noise, False)):
        name = os.path.join(folder, "%016x.journal" % rng.getrandbits(64))
        with open(name, "wb") as f:
            f.write(content)
        os.chmod(name, 0o600)
        planted[name] = (content, cut)


def main():
    print(f"seed {SEED}, {TRIALS} trials")
    env = program_environment()
    folder = os.path.join(env["XDG_STATE_HOME"], "quorvel")
    work = tempfile.mkdtemp()
    page = os.path.join(work, "страница.html")
    layout = subprocess.run(["setxkbmap", "-query"], capture_output=True, text=True).stdout
    planted = {}
    lost = 0
    program = None
    try:
        for trial in range(TRIALS):
            opened = rng.random() < 0.5
            name = "страница.html" if opened else "Новый"
            with open(page, "wb") as f:
                f.write(PAGE_TEXT.replace("\n", "\r\n").encode("cp1251") + b"\r\n")
            arguments = [QUORVEL, page] if opened else [QUORVEL]
            program = subprocess.Popen(arguments, env=env)
            # The offer comes before the file named on the command line is opened.
            answer_later_to_every_offer(wait_for("the window's editor", editor_named()))
            editor = wait_for("the editor", editor_named(name))
            initial = PAGE_TEXT if opened else ""
            if not settle(lambda: text_of(editor) == initial, 20):
                raise SystemExit(f"FAIL seed {SEED} trial {trial}: the editor holds {text_of(editor)!r}")
            phases, states = random_typing(initial)
            midway = rng.random() < 0.4
            stop_event = threading.Event()
            typist = threading.Thread(target=type_phases, args=(phases, rng.randint(2, 30), stop_event))
            known = 0  # the editor was seen showing states[known]
            typist.start()
            if midway:
                # Killed once at least one key is known to be in the text (a journal that
                # holds no change is not offered), at a random moment of the typing.
                end = time.time() + rng.uniform(0.1, 2.0)
                deadline = time.time() + 30
                while time.time() < deadline and (known == 0 or time.time() < end and typist.is_alive()):
                    seen = first_index(states, text_of(editor), known)
                    if seen is not None:
                        known = seen
                    pump(0.01)
                if known == 0:
                    raise SystemExit(f"FAIL seed {SEED} trial {trial}: no key reached the editor")
            else:
                typist.join()
                if not settle(lambda: text_of(editor) == states[-1], 30):
                    raise SystemExit(f"FAIL seed {SEED} trial {trial}: the editor shows {text_of(editor)!r}, "
                                     f"typed {states[-1]!r}")
                known = len(states) - 1
                time.sleep(rng.uniform(0, 1.5))
            program.kill()
            program.wait()
            stop_event.set()
            typist.join()

            orphans = journals(folder) - set(planted)
            if len(orphans) != 1:
                raise SystemExit(f"FAIL seed {SEED} trial {trial}: {len(orphans)} journals left by the killed program")
            if trial % 3 == 1:
                plant_damaged(folder, orphans.pop(), planted)

            program = subprocess.Popen(arguments, env=env)
            button = wait_for("the offer's restore button",
                              lambda a: a.name == "Восстановить" and a.getRole() == pyatspi.ROLE_PUSH_BUTTON
                              and showing(a))
            title = "Документ: " + (page if opened else "Новый")
            if find(lambda a: a.name == title and showing(a)) is None:
                raise SystemExit(f"FAIL seed {SEED} trial {trial}: the offer does not say {title!r}")
            button.queryAction().doAction(0)
            editor = wait_for("the restored editor", editor_named(name))
            settle(lambda: first_index(states, text_of(editor), known) is not None, 10)
            restored = text_of(editor)
            index = first_index(states, restored, known)
            if index is None:
                earlier = first_index(states, restored, 0)
                if earlier is None:
                    raise SystemExit(f"FAIL seed {SEED} trial {trial}: restored {restored!r}, "
                                     f"no state of the typing; known {states[known]!r}")
                lost += known - earlier
                print(f"LOST trial {trial}: {known - earlier} keys; restored {restored!r}, known {states[known]!r}")
                index = earlier
            print(f"ok   trial {trial}: {'file' if opened else 'untitled'}, {len(states) - 1} keys, "
                  f"{'killed while typing' if midway else 'killed when idle'}, restored after key {index} "
                  f"(known {known})")
            program.kill()
            program.wait()
            for left in journals(folder) - set(planted):
                os.remove(left)

        # Random bytes stay as they were; a cut copy may be gone only because it held no
        # change (the program removes those unasked).
        for name, (content, cut) in planted.items():
            if os.path.exists(name) and open(name, "rb").read() != content or not os.path.exists(name) and not cut:
                raise SystemExit(f"FAIL seed {SEED}: the damaged journal {name} was changed")
            if os.path.exists(name):
                os.remove(name)
        print(f"ok   {len(planted)} damaged journals planted, none changed")

        # A clean exit after a save leaves nothing but the planted journals.
        program = subprocess.Popen([QUORVEL, page], env=env)
        editor = wait_for("the editor", editor_named("страница.html"))
        subprocess.run(["setxkbmap", "us"], check=True)
        subprocess.run(["xdotool", "key", "--delay", "50", "x", "F2", "alt+F4"], check=True)
        program.wait(30)
        if journals(folder):
            raise SystemExit(f"FAIL seed {SEED}: a clean exit left {journals(folder)}")
        print("ok   a saved document and a clean exit leave no journal behind")
    finally:
        if program is not None and program.poll() is None:
            stop(program)
        previous = [line.split()[-1] for line in layout.splitlines() if line.startswith("layout:")]
        subprocess.run(["setxkbmap", previous[0] if previous else "us"])
        shutil.rmtree(work, ignore_errors=True)
    print(f"{TRIALS} trials, {lost} keys lost")
    sys.exit(1 if lost else 0)


main()
