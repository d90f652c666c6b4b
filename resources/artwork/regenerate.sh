#!/usr/bin/env bash
# Rebuilds the artwork generator and redraws every picture under resources/artwork.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${ARTWORK_BUILD:-$here/../../build-artwork}
cmake -S "$here/generator" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$build" -j2 >/dev/null
QT_QPA_PLATFORM=offscreen "$build/make_artwork" "$here"
