#!/usr/bin/env bash
# Configures and builds Quorvel into build/ (or the folder given as $BUILD_DIR).
# Extra arguments go to CMake, e.g. -DQUORVEL_SANITIZE=ON.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
cmake -S . -B "$build_dir" "${generator[@]}" "$@" >/dev/null
cmake --build "$build_dir" -j2
