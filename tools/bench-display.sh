#!/usr/bin/env bash
# Display benchmark (not a test): builds tools/bench/display_bench.exe against the 64-bit
# Windows build and runs it under Wine, in a window on a 1024x768x24 screen and in full screen
# on a 640x480x16 one. Prints the time CreateDisplay takes and the time per frame spent
# drawing 200 font glyphs and presenting them (the wait for the next frame left out).
# Usage: tools/bench-display.sh [frames]
#   VORTA_WIN64_DIR=<a configured and built Windows build> skips building the whole tree.
set -euo pipefail
frames=${1:-600}
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${VORTA_WIN64_DIR:-}" ]; then
  source "$root/tools/configure.sh"
  cmake --build "$build" -j2 --target win64 >/dev/null
  VORTA_WIN64_DIR=$build/win64
  export VORTA_WINEPREFIX=${VORTA_WINEPREFIX:-$build/wineprefix}
fi
win=$VORTA_WIN64_DIR
export VORTA_WINEPREFIX=${VORTA_WINEPREFIX:-$win/wineprefix}

bench=$win/display_bench.exe
x86_64-w64-mingw32-g++-posix -std=c++17 -O2 -I"$root" -DDIRECTINPUT_VERSION=0x0500 \
  "$root/tools/bench/display_bench.cpp" "$win/resources/CMakeFiles/vorta_resources.dir/vorta.rc.res" \
  "$win/libvorta_platform.a" "$win/libvorta_core.a" \
  -static -static-libgcc -static-libstdc++ \
  -lddraw -ldxguid -ldinput -ldsound -lole32 -loleaut32 -luuid -lgdi32 -luser32 -lwinmm -limm32 \
  -o "$bench"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$root/tools/wine-run.sh" --screen 1024x768x24 "$bench" window "$frames" 2>/dev/null
"$root/tools/wine-run.sh" --screen 640x480x16 "$bench" full "$frames" 2>/dev/null
