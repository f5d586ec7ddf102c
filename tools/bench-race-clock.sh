#!/usr/bin/env bash
# Benchmark of the race clock's fairness in the real game (not a test). The car model takes
# one step of 1/60 s a frame while the race clock reads the wall clock, so every frame that
# runs past 1/60 s costs the player time. This drives vorta.exe under Wine through the menus
# as a player would (title, car select, a whole race, the record viewer) on the 400 m and the
# 1000 m course, in a window and in full screen, with the frame and race traces on, and prints
# per run:
#   - race frames, and frames from the go lamp to the finish;
#   - the overrun: the sum of every frame's time past 1/60 s from the go lamp to the finish,
#     and what the clock gave beyond the car model's own time (frames x 1/60 s);
#   - frames over 20 ms, the worst frame (its place in the race and the distance), the worst
#     after the first second of the race;
#   - fps_at_signal and fps_at_finish;
# and the CPU share of a core on the title, car select, the race and the record viewer.
# Every run is made twice: with the ghost off, then with it on (GHOST=1), racing the first run's
# replay in the next lane; the second's name ends in "-ghost".
# Usage: tools/bench-race-clock.sh [runs per course and mode]   (default 1)
#   VORTA_WIN64_DIR=<a built Windows build> skips the build; BENCH_MODES="window full" and
#   BENCH_COURSES="400 1000" choose what runs; BENCH_KEEP=<folder> keeps the traces there.
set -euo pipefail
runs=${1:-1}
source "$(dirname "$0")/win64-build.sh"
source "$root/tools/wine-env.sh"
vorta_wine_prefix_init
work=$(mktemp -d)
trap 'vorta_wine_stop; vorta_xvfb_stop; rm -rf "$work"' EXIT
cp "$VORTA_WIN64_DIR/vorta.exe" "$work/vorta.exe"

now() { date +%s.%N; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
key_down() { xdotool windowfocus "$window" keydown "$1"; }
key_up() { xdotool windowfocus "$window" keyup "$1"; }
press() {
  key_down "$1"
  sleep 0.12
  key_up "$1"
  sleep 0.12
}
# Sleeps until $1 seconds after the moment $2.
sleep_until() {
  local left
  left=$(bc <<<"scale=3; x = $1 - ($(now) - $2); if (x < 0) x = 0; x")
  sleep "$left"
}
# The process's CPU over $2 seconds, as "name ticks seconds" in the phases file.
measure_cpu() {
  local from cpu0
  from=$(now)
  cpu0=$(cpu_ticks)
  sleep "$2"
  echo "$1 $(( $(cpu_ticks) - cpu0 )) $(bc <<<"$(now) - $from")" >>"$phases"
}

# One run: $1 window|full, $2 400|1000, $3 the run's name; with $4, the ghost on, racing the
# best run that the run named $4 left.
run() {
  local mode=$1 course=$2 name=$3 ghost_of=${4:-} windowed=1 geometry=1024x768x24 i
  if [ "$mode" = full ]; then windowed=0 geometry=640x480x16; fi
  vorta_xvfb_start "$geometry"
  local dir=$work/$name
  mkdir -p "$dir"
  cp "$work/vorta.exe" "$dir/"
  printf '[VORTA]\r\nWINDOW=%s\r\n' "$windowed" >"$dir/vorta.ini"
  if [ -n "$ghost_of" ]; then
    printf 'GHOST=1\r\n' >>"$dir/vorta.ini"
    cp -r "$work/$ghost_of/replays" "$dir/" 2>/dev/null || echo "$name: no replay of $ghost_of to race"
  fi
  phases=$dir/phases.txt
  : >"$phases"
  (cd "$dir" && VORTA_FRAME_TRACE="Z:${dir//\//\\}\\frames.txt" \
     VORTA_RACE_TRACE="Z:${dir//\//\\}\\race.txt" exec wine "$dir/vorta.exe" >/dev/null 2>&1) &
  window=$(vorta_wait_window)
  pid=$(pgrep -n -f "$dir/vorta\.exe")
  sleep 5  # the title's opening: the menu shows 3.6 s after the first frame
  measure_cpu title 4
  [ "$course" = 1000 ] && press Down
  press space
  sleep 2  # the graph draws in 27 frames
  measure_cpu car_select 3
  press space
  local entered launch
  entered=$(now)
  # Clutch in, first gear, full throttle at the line; the go lamp lights about 5.7 s after
  # Space (the race's set-up, the 0.9 s camera move and four signal steps of a second).
  sleep 1.5
  key_down Control_L
  sleep 0.1
  press Left
  press Up
  key_down Alt_L
  sleep_until 7.0 "$entered"
  key_up Control_L
  launch=$(now)
  # Shifts by the clock: the driver need not be quick, only the same in every run.
  local shift
  for shift in "2.5 Down Down" "6 Up Right Up" "11 Down Down" "18 Up Right Up"; do
    read -r at keys <<<"$shift"
    [ "$course" = 400 ] && [ "${at%.*}" -ge 11 ] && break
    sleep_until "$at" "$launch"
    key_up Alt_L
    key_down Control_L
    # shellcheck disable=SC2086
    for key in $keys; do press "$key"; done
    key_up Control_L
    key_down Alt_L
    if [ "$at" = 6 ]; then measure_cpu race 4; fi
  done
  if [ "$course" = 400 ]; then sleep_until 20 "$launch"; else sleep_until 36 "$launch"; fi
  key_up Alt_L
  # The record viewer, from the title's third item.
  press Escape
  sleep 1.5
  press Down
  press Down
  press space
  sleep 1.5
  measure_cpu records 3
  xdotool windowfocus "$window" keydown alt key F4 keyup alt
  for i in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  vorta_wine_stop
  vorta_xvfb_stop
  python3 "$root/tools/bench/race_clock_report.py" "$dir" "$name" "$(getconf CLK_TCK)"
  if [ -n "${BENCH_KEEP:-}" ]; then mkdir -p "$BENCH_KEEP"; cp -r "$dir" "$BENCH_KEEP/"; fi
}

echo "Race clock, frame period 16.667 ms; overrun = time past 1/60 s from the go lamp to the finish"
for mode in ${BENCH_MODES:-window full}; do
  for course in ${BENCH_COURSES:-400 1000}; do
    for r in $(seq 1 "$runs"); do
      run "$mode" "$course" "${mode}-${course}m-$r"
      run "$mode" "$course" "${mode}-${course}m-$r-ghost" "${mode}-${course}m-$r"
    done
  done
done
