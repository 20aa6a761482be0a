#!/usr/bin/env bash
# Nothing typed is lost when the program is killed: a display of its own with a real
# window manager, keys typed through XTEST on the US and the Russian layout, SIGKILL at a
# random moment, and the restored text read back through the accessibility bus.
#   recovery_test.sh QUORVEL [TRIALS (100)] [SEED]
set -euo pipefail
if [ -z "${QUORVEL_RECOVERY_DISPLAY:-}" ]; then
  exec env QUORVEL_RECOVERY_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null || true' EXIT
sleep 1
dbus-run-session -- /usr/bin/python3 -u "$(dirname "$0")/recovery_kill.py" "$@"
