#!/usr/bin/env bash
# The keyboard stays in the editor, as a user meets it: a display of its own with a real
# window manager (focus and activation are its business), XTEST keys and clicks, and the
# text read back through the accessibility bus.
set -euo pipefail
if [ -z "${QUORVEL_FOCUS_DISPLAY:-}" ]; then
  exec env QUORVEL_FOCUS_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null || true' EXIT
sleep 1
dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/focus_editor.py" "$@"
