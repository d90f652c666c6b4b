#!/usr/bin/env bash
# Cross-builds the platform layer and its tests for Windows with MinGW-w64 and runs them under
# Wine, in a Wine prefix of the build folder's own.
# Usage: tools/test-windows.sh [build-folder]   (default: build-windows)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-windows}")

for tool in x86_64-w64-mingw32-g++-posix wine cmake ninja; do
  command -v "$tool" >/dev/null || { echo "missing $tool: run tools/install-deps.sh" >&2; exit 1; }
done

export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko installer prompts

cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DKORVA_PLATFORM_ONLY=ON -DKORVA_BENCH=OFF \
  "-DCMAKE_CROSSCOMPILING_EMULATOR=env;WINEPREFIX=$WINEPREFIX;WINEDEBUG=-all;wine"
ninja -C "$build" -j2

if [ ! -d "$WINEPREFIX" ]; then
  wineboot --init >/dev/null 2>&1 || true
  wineserver --wait || true
fi
ctest --test-dir "$build" --output-on-failure -j1
status=$?
wineserver --kill || true
exit $status
