#!/usr/bin/env bash
# Installs what is missing, builds, lays out the sample medium in build/medium and starts the
# start window from it. Without a display it runs under a virtual one, saves a screenshot and ends.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target korvastart medium

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/medium/korvastart
fi
mkdir -p build/screenshots
shot="$PWD/build/screenshots/start-window.png"
KORVA_SCREENSHOT="$shot" KORVA_EXIT_AFTER_FIRST_PAINT=1 KORVA_BOXES=stderr \
  xvfb-run -a -s "-screen 0 1280x1024x24" build/medium/korvastart
