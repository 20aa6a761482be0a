#!/usr/bin/env bash
# The editor through the real accessibility bus: its own X display when none is given, a
# private D-Bus session (which starts the accessibility bus on demand), then the check.
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
# The distribution's Python: the accessibility bindings are Debian packages.
exec dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/atspi_editor.py" "$@"
