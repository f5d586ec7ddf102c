#!/usr/bin/env bash
# Benchmark of the frame wait (not a test): plays vorta.exe under Wine through the title, the
# car select graph, the race at the start line and the race mid-course, once with the sleeping
# wait and once with a pure spin, and prints for each the mean frame period, the 99th
# percentile of its deviation from 1/60 s, the share of a core the wait spends spinning, and the
# CPU use of the whole process (drawing included).
# Usage: tools/bench-frame-timer.sh [seconds per screen]   (default 8; VORTA_WIN64_DIR=<a built
# Windows build> skips the build)
set -euo pipefail
seconds=${1:-8}
source "$(dirname "$0")/win64-build.sh"
source "$root/tools/wine-env.sh"
vorta_wine_prefix_init
vorta_xvfb_start 1024x768x24
work=$(mktemp -d)
trap 'vorta_xvfb_stop; rm -rf "$work"' EXIT
printf '[VORTA]\r\nWINDOW=1\r\n' >"$work/vorta.ini"
cp "$VORTA_WIN64_DIR/vorta.exe" "$work/vorta.exe"

now() { date +%s.%N; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
press() {
  xdotool windowfocus "$window" keydown "$1"
  sleep 0.15
  xdotool keyup "$1"
}

# Measures one screen for $3 seconds (default $seconds): "<name> <scene> <from> <to> <cpu ticks>",
# the times in seconds since the screen was entered ($entered).
measure() {
  local name=$1 scene=$2 from cpu0
  from=$(now)
  cpu0=$(cpu_ticks)
  sleep "${3:-$seconds}"
  echo "$name $scene $(bc <<<"$from - $entered") $(bc <<<"$(now) - $entered") $(( $(cpu_ticks) - cpu0 ))" \
    >>"$phases"
}

run() {
  local mode=$1 trace=$work/trace-$1.txt i
  phases=$work/phases-$mode.txt
  : >"$phases"
  (cd "$work" && VORTA_FRAME_WAIT=$mode VORTA_FRAME_TRACE='Z:'"${trace//\//\\}" \
     exec wine "$work/vorta.exe" >/dev/null 2>&1) &
  window=$(vorta_wait_window)
  entered=$(now)
  # This run's own copy: another game (a soak, a test) may be running beside it.
  pid=$(pgrep -n -f "$work/vorta\.exe")
  sleep 6  # the title's opening
  measure title 11
  press space
  entered=$(now)
  sleep 1.5
  measure car_select 71
  press space
  entered=$(now)
  sleep 1
  measure race_start 31 4  # the lamps light one a second from about 1 s; go at about 6 s
  # Clutch in, first gear and full throttle before the go lamp; the clutch out after it.
  xdotool windowfocus "$window" keydown Control_L
  press Left
  press Up
  xdotool keydown Alt_L
  sleep "$(bc <<<"scale=3; x = 7.5 - $(now) + $entered; if (x < 0) x = 0; x")"
  xdotool keyup Control_L
  sleep 2.5
  measure race_mid 31
  xdotool keyup Alt_L
  # In the race Alt+F4 turns the ghost on and off; on the title it closes the window.
  press Escape
  sleep 1
  xdotool windowfocus "$window" keydown alt key F4 keyup alt
  for i in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  python3 - "$trace" "$phases" "$mode" "$(getconf CLK_TCK)" <<'PY'
import sys
trace_path, phases_path, mode, clk_tck = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
lines = open(trace_path).read().split("\n")
frequency = int(lines[0].split()[1])
frames = [tuple(int(v) for v in line.split()) for line in lines[1:] if line.strip()]
# Each visit to a scene: its frames' periods in ms, with the time since the visit began.
visits = {}
previous = None
for period, spin, scene in frames:
    ms = period * 1000.0 / frequency
    if scene != previous:
        visits[scene] = []
        elapsed = 0.0
        previous = scene
    elapsed += ms
    visits[scene].append((elapsed / 1000.0, ms, spin * 1000.0 / frequency))
ideal = 1000.0 / 60
for line in open(phases_path):
    name, scene, start, end, cpu_ticks = line.split()
    start, end = float(start), float(end)
    chosen = [(ms, spin) for t, ms, spin in visits.get(int(scene), []) if start <= t <= end]
    periods = [ms for ms, _ in chosen]
    if not periods:
        print(f"{mode:5s} {name:10s} no frames traced")
        continue
    mean = sum(periods) / len(periods)
    deviations = sorted(abs(p - ideal) for p in periods)
    p99 = deviations[int(0.99 * (len(deviations) - 1))]
    spinning = 100.0 * sum(spin for _, spin in chosen) / sum(periods)
    cpu = 100.0 * int(cpu_ticks) / clk_tck / (end - start)
    print(f"{mode:5s} {name:10s} frames {len(periods):4d}  mean {mean:7.4f} ms  "
          f"p99 |dev| {p99:5.3f} ms  wait spins {spinning:4.1f} %  process CPU {cpu:5.1f} %")
PY
}

echo "Frame wait, ${seconds} s per screen (target period 16.6667 ms):"
run sleep
run spin
