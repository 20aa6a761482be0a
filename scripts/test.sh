#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine and runs every test: the core and
# window tests, the browser tests under Xvfb, and the core tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

scripts/build.sh -DQUORVEL_SANITIZE=OFF
BUILD_DIR=build-sanitize scripts/build.sh -DQUORVEL_SANITIZE=ON -DQUORVEL_CORE_ONLY=ON

export QT_QPA_PLATFORM=offscreen
export QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu"
(cd build && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j2 --timeout 300)
(cd build-sanitize && ctest --output-on-failure -j2 --timeout 300 -L core)
