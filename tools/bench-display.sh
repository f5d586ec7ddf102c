#!/usr/bin/env bash
# Display benchmark (not a test): builds tools/bench/display_bench.exe against the 64-bit
# Windows build and runs it under Wine, in a window on a 1024x768x24 screen and in full screen
# on a 640x480x16 one. Prints the time CreateDisplay takes and the time per frame spent
# drawing 200 font glyphs and presenting them (the wait for the next frame left out).
# Usage: tools/bench-display.sh [frames]
#   VORTA_WIN64_DIR=<a configured and built Windows build> skips building the whole tree.
set -euo pipefail
frames=${1:-600}
source "$(dirname "$0")/win64-build.sh"
win=$VORTA_WIN64_DIR
bench=$win/display_bench.exe
vorta_link_bench "$root/tools/bench/display_bench.cpp" "$bench"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$root/tools/wine-run.sh" --screen 1024x768x24 "$bench" window "$frames" 2>/dev/null
"$root/tools/wine-run.sh" --screen 640x480x16 "$bench" full "$frames" 2>/dev/null
