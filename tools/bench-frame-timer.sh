#!/usr/bin/env bash
# Benchmark of the frame wait (not a test): runs vorta.exe under Wine for a fixed time, once
# with the sleeping wait and once with a pure spin, and prints the mean frame period, the 99th
# percentile of its deviation from 1/60 s, and the CPU use of the game's process.
# Usage: tools/bench-frame-timer.sh [seconds]   (VORTA_WIN64_DIR=<a built Windows build> skips
# the build)
set -euo pipefail
seconds=${1:-20}
source "$(dirname "$0")/win64-build.sh"
source "$root/tools/wine-env.sh"
vorta_wine_prefix_init
vorta_xvfb_start 1024x768x24
work=$(mktemp -d)
trap 'vorta_xvfb_stop; rm -rf "$work"' EXIT
printf '[VORTA]\r\nWINDOW=1\r\n' >"$work/vorta.ini"
cp "$VORTA_WIN64_DIR/vorta.exe" "$work/vorta.exe"

run() {
  local mode=$1 trace=$work/trace-$1.txt
  (cd "$work" && VORTA_FRAME_WAIT=$mode VORTA_FRAME_TRACE='Z:'"${trace//\//\\}" \
     exec wine "$work/vorta.exe" >/dev/null 2>&1) &
  local i pid="" window=""
  for i in $(seq 1 150); do
    window=$(xdotool search --name '^vorta ~Mark Q~ Ver0\.75$' 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    sleep 0.2
  done
  # This run's own copy: another game (a soak, a test) may be running beside it.
  pid=$(pgrep -n -f "$work/vorta\.exe")
  sleep 2  # past start-up
  local ticks_per_second cpu0 cpu1
  ticks_per_second=$(getconf CLK_TCK)
  cpu0=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  sleep "$seconds"
  cpu1=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  xdotool windowfocus "$window" keydown alt key F4 keyup alt
  for i in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  python3 - "$trace" "$mode" "$(( cpu1 - cpu0 ))" "$ticks_per_second" "$seconds" <<'PY'
import sys
path, mode, cpu_ticks, clk_tck, seconds = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), float(sys.argv[5])
lines = open(path).read().split()
frequency = int(lines[1])
periods = [int(x) * 1000.0 / frequency for x in lines[2:]][120:]  # skip start-up frames
ideal = 1000.0 / 60
mean = sum(periods) / len(periods)
deviations = sorted(abs(p - ideal) for p in periods)
p99 = deviations[int(0.99 * (len(deviations) - 1))]
cpu = 100.0 * cpu_ticks / clk_tck / seconds
print(f"{mode:6s} frames {len(periods):5d}  mean period {mean:8.4f} ms  "
      f"p99 |deviation| {p99:6.3f} ms  CPU {cpu:5.1f} % of one core")
PY
}

echo "Frame wait over ${seconds} s per mode (target period 16.6667 ms):"
run sleep
run spin
