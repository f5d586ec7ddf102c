#!/usr/bin/env bash
# Race drawing benchmark (not a test): builds tools/bench/race_bench.exe against the 64-bit
# Windows build and runs it under Wine, in a window on a 1024x768x24 screen and in full screen
# on a 640x480x16 one. A scripted driver races 400 m with each speedometer style; printed per
# phase (start line, run, after the finish) is the frame's work without the wait for the next
# sixtieth: median, 99th percentile and worst.
# Usage: tools/bench-race.sh [frames per phase] [folder for screenshots of both styles]
#   VORTA_WIN64_DIR=<a configured and built Windows build> skips building the whole tree.
set -euo pipefail
frames=${1:-300}
shots=${2:-}
source "$(dirname "$0")/win64-build.sh"
win=$VORTA_WIN64_DIR
bench=$win/race_bench.exe
vorta_link_bench "$root/tools/bench/race_bench.cpp" "$bench"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
shot_arg=()
if [ -n "$shots" ]; then
  mkdir -p "$shots"
  # Wine's drive Z: is the root of the Linux file system.
  shot_arg=("Z:$(cd "$shots" && pwd | tr / '\\')")
fi
"$root/tools/wine-run.sh" --screen 1024x768x24 "$bench" window "$frames" "${shot_arg[@]}" 2>/dev/null
"$root/tools/wine-run.sh" --screen 640x480x16 "$bench" full "$frames" "${shot_arg[@]}" 2>/dev/null
