#!/usr/bin/env bash
# Runs key_to_pixels for Quorvel and, where installed, Kate, Geany and gedit, each on a
# copy of the same file, ROUNDS times in turns, on the X display in $DISPLAY (Xvfb with
# openbox: see README). Each editor runs in a D-Bus session of its own, with a fresh home
# folder, so that no earlier session or setting of anyone's is restored.
#
#   bench/key_to_pixels_peers.sh BUILD_DIR FILE ROUNDS [key_to_pixels options...]
#   e.g. bench/key_to_pixels_peers.sh build /tmp/page.htm 3 --key=a --repeat=50
# An Enter that scrolls the view every time: first fill the window below the last line,
#   --key=Return --setup=ctrl+End$(printf ',Return%.0s' $(seq 45))
set -euo pipefail

if [ $# -lt 3 ]; then
  sed -n '2,10p' "$0" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
file=$2
rounds=$3
shift 3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

editor_command() {
  case $1 in
    quorvel) echo "$build/src/quorvel" ;;
    kate) echo "kate -n" ;;
    geany) echo "geany -i -s" ;;
    gedit) echo "gedit --standalone" ;;
  esac
}

# Kate's status bar animates a button by itself at the default 1000 x 800 window: that
# rectangle is no answer to a key.
editor_options() {
  case $1 in
    kate) echo "--ignore=57x23+0+777" ;;
  esac
}

for round in $(seq "$rounds"); do
  for editor in quorvel kate geany gedit; do
    read -r -a command <<< "$(editor_command "$editor")"
    command -v "${command[0]}" > /dev/null || continue
    home="$work/home-$editor"
    rm -rf "$home"
    mkdir -p "$home/.config/gtk-3.0"
    # GTK's own caret blinks with a wider repaint than a caret's width.
    printf '[Settings]\ngtk-cursor-blink=false\n' > "$home/.config/gtk-3.0/settings.ini"
    copy="$work/$editor-$(basename "$file")"
    cp "$file" "$copy"
    HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
      XDG_CACHE_HOME="$home/.cache" XDG_STATE_HOME="$home/.local/state" dbus-run-session -- \
      "$build/bench/key_to_pixels" --label="$editor" $(editor_options "$editor") "$@" -- "${command[@]}" "$copy" 2> "$work/stderr" ||
      { echo "$editor failed:" >&2; tail -5 "$work/stderr" >&2; }
  done
done
