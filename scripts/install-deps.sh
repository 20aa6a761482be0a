#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Quorvel needs.
# Works on a bare Debian 12, as root or through sudo; packages already present are skipped.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  qt6-webengine-dev libqt6webenginecore6-bin
  libpcre2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libqscintilla2-qt6-dev libxtst-dev libxdamage-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth xdotool imagemagick x11-utils x11-xkb-utils openbox
  dbus at-spi2-core python3-pyatspi desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: everything is installed"
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

echo "install-deps: installing ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
