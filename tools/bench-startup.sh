#!/usr/bin/env bash
# Benchmark (not a test): how long a player waits. Starts vorta.exe under Wine in a window a few
# times and prints the time from the start of the process to the first title frame (the title's
# banner on screen), and from Space on the car select screen to the first race frame (the race's
# background on screen). Screens are polled by screenshots, about every 50 ms.
# Usage: tools/bench-startup.sh [runs]   (VORTA_WIN64_DIR=<a built Windows build> skips the build)
set -u
runs=${1:-3}
source "$(dirname "$0")/win64-build.sh"
export VORTA_EXE=$VORTA_WIN64_DIR/vorta.exe
export VORTA_E2E_WORK=$(mktemp -d)
source "$root/tests/e2e/lib.sh"
trap 'e2e_cleanup; rm -rf "$VORTA_E2E_WORK"' EXIT

now() { date +%s.%N; }
# Mean brightness (0..1) of a rectangle "w h x y" of the game's picture.
brightness() {
  local w=$1 h=$2 x=$3 y=$4 origin cx=0 cy=0
  origin=$(e2e_client_origin)
  [ -n "$origin" ] && read -r cx cy <<<"$origin"
  xwd -root -silent | convert xwd:- -crop "${w}x${h}+$((cx + x))+$((cy + y))" +repage \
    -colorspace Gray -format '%[fx:mean]' info: 2>/dev/null
}
# Waits until the rectangle's brightness moves more than 0.05 away from $1; prints the time
# it was first seen.
wait_change() {
  local from=$1 i
  shift
  for i in $(seq 1 600); do
    awk -v b="$(brightness "$@")" -v f="$from" 'BEGIN { exit !(b - f > 0.05 || f - b > 0.05) }' &&
      { now; return 0; }
    sleep 0.02
  done
  echo "never"
  return 1
}

e2e_setup 1024x768x24
printf '[VORTA]\r\nWINDOW=1\r\n' >"$e2e_work/vorta.ini"
for run in $(seq 1 "$runs"); do
  start=$(now)
  e2e_start
  e2e_wait_window
  title=$(wait_change 0 304 80 168 390)   # the credits banner, drawn from the first frame
  e2e_wait_title_menu 5
  e2e_keys space
  sleep 2
  before=$(brightness 640 40 0 0)
  space=$(now)
  e2e_press space 0.1
  race=$(wait_change "$before" 640 40 0 0)  # the race's sky
  awk -v s="$start" -v t="$title" -v p="$space" -v r="$race" -v n="$run" \
    'BEGIN { printf "run %d: start to first title frame %.2f s; Space to first race frame %.2f s\n", n, t - s, r - p }'
  e2e_keys Escape
  sleep 1
  e2e_keys Up space
  e2e_wait_exit 15
done
