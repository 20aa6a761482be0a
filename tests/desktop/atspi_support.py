"""What the desktop checks share: the accessibility bus's event pump and the program's
environment on a real X display."""
import atexit
import os
import shutil
import subprocess
import tempfile
import time

import gi
gi.require_version("Atspi", "2.0")
from gi.repository import GLib  # noqa: E402


def pump(seconds):
    """Lets the accessibility events arrive."""
    context = GLib.MainContext.default()
    end = time.time() + seconds
    while time.time() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def program_environment():
    """The program on the X display, with its accessibility bridge on and a state folder of
    its own: the recovery journal a check leaves when it ends the program never meets the
    next check, nor the user's own."""
    state = tempfile.mkdtemp(prefix="quorvel-state-")
    atexit.register(shutil.rmtree, state, True)
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu", XDG_STATE_HOME=state)
    env.pop("QT_SCALE_FACTOR", None)
    return env


def settle(condition, seconds=10.0):
    """Pumps the events until the condition holds or the time is up; answers whether it held.
    A loaded machine may take a while to deliver keys and notifications."""
    end = time.time() + seconds
    while not condition():
        if time.time() > end:
            return False
        pump(0.1)
    return True


def stop(program):
    """Ends the program started for a check, killing it if it does not go in time."""
    program.terminate()
    try:
        program.wait(10)
    except subprocess.TimeoutExpired:
        program.kill()
