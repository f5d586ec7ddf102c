#!/usr/bin/env bash
# Benchmark (not a test): how long a player waits. Starts vorta.exe under Wine in a window a few
# times and times the start of the process to the window and to the first title frame, and
# Space on the car select screen to the first race frame; and from the game's step trace
# (VORTA_STEP_TRACE, written as each first frame is shown, so nothing takes screenshots while
# the game starts) what each step of the start-up and of entering the race cost, as medians
# over the runs with their range.
# Usage: tools/bench-startup.sh [runs]   (VORTA_WIN64_DIR=<a built Windows build> skips the build)
set -u
runs=${1:-5}
source "$(dirname "$0")/win64-build.sh"
export VORTA_EXE=$VORTA_WIN64_DIR/vorta.exe
export VORTA_E2E_WORK=$(mktemp -d)
source "$root/tests/e2e/lib.sh"
trap 'e2e_cleanup; rm -rf "$VORTA_E2E_WORK"' EXIT

now() { date +%s.%N; }
# Waits for the game's window; sets game_window and window, the time it was first seen.
wait_window() {
  local i
  for i in $(seq 1 1500); do
    game_window=$(xdotool search --name '^vorta ~Mark Q~ Ver0\.75$' 2>/dev/null | head -n1)
    [ -n "$game_window" ] && { window=$(now); return 0; }
    sleep 0.02
  done
  fail "the game window did not appear"
}
# Waits until the step trace holds $2 lines naming the step $1; prints the time it was seen.
wait_step() {
  local i n
  for i in $(seq 1 1500); do
    n=$(grep -c "^$1 " "$e2e_work/steps.txt" 2>/dev/null)
    [ "${n:-0}" -ge "$2" ] && { now; return 0; }
    sleep 0.02
  done
  fail "the game never reached $1"
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 min; $(nproc) cores)"
e2e_setup 1024x768x24
printf '[VORTA]\r\nWINDOW=1\r\n' >"$e2e_work/vorta.ini"
# Relative to the game's working folder, where e2e_start runs it.
export VORTA_STEP_TRACE=steps.txt
traces=()
for run in $(seq 1 "$runs"); do
  rm -f "$e2e_work/steps.txt"
  start=$(now)
  e2e_start
  wait_window
  title=$(wait_step first_title_frame 1)
  e2e_wait_title_menu 5
  e2e_keys space
  sleep 2
  space=$(now)
  e2e_press space 0.1
  race=$(wait_step first_race_frame 1)
  awk -v s="$start" -v w="$window" -v t="$title" -v p="$space" -v r="$race" -v n="$run" \
    'BEGIN { printf "run %d: start to window %.2f s, to first title frame %.2f s; Space to first race frame %.2f s\n", n, w - s, t - s, r - p }'
  e2e_keys Escape
  sleep 1
  e2e_keys Up space
  e2e_wait_exit 15
  cp "$e2e_work/steps.txt" "$e2e_work/steps_$run.txt" && traces+=("$e2e_work/steps_$run.txt")
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
python3 - "${traces[@]}" <<'PY'
import statistics, sys
# Each trace: "name wall_ms_since_previous wall_ms_since_first cpu_ms_since_previous" a line, in
# the order the game went. Start-up is everything up to the first title frame; the race entry
# runs from "race_entry" to the first race frame after it (the first entry of each run).
steps = {"start-up": {}, "race": {}}
totals = {"window to first title frame": ([], []), "race entry to first race frame": ([], [])}
for path in sys.argv[1:]:
    phase, wall, cpu = "start-up", 0.0, 0.0
    for line in open(path):
        name, step, since, used = line.split()
        step, since, used = float(step), float(since), float(used)
        if phase == "between" and name == "race_entry":
            phase, wall, cpu = "race", 0.0, 0.0
            step = used = 0.0
        if phase in steps:
            steps[phase].setdefault(name, ([], []))
            steps[phase][name][0].append(step)
            steps[phase][name][1].append(used)
        if phase == "start-up":
            if name == "window": wall, cpu = 0.0, 0.0
            else: wall, cpu = wall + step, cpu + used
            if name == "first_title_frame":
                totals["window to first title frame"][0].append(wall)
                totals["window to first title frame"][1].append(cpu)
                phase = "between"
        elif phase == "race":
            wall, cpu = wall + step, cpu + used
            if name == "first_race_frame":
                totals["race entry to first race frame"][0].append(wall)
                totals["race entry to first race frame"][1].append(cpu)
                phase = "done"
def spread(v):
    return "%7.1f (%.1f-%.1f)" % (statistics.median(v), min(v), max(v))
print("medians of %d runs (range), ms; cpu: the process's processor time, all its threads" % len(sys.argv[1:]))
for title, phase in (("start-up", "start-up"), ("entering the race, from the car select's Space", "race")):
    print("%s:%s wall%s cpu" % (title, " " * (44 - len(title)), " " * 21))
    for name, (wall, cpu) in steps[phase].items():
        print("  %-24s %-28s %s" % (name.replace("_", " "), spread(wall), spread(cpu)))
for name, (wall, cpu) in totals.items():
    if wall: print("%-32s wall %s, cpu %s" % (name + ":", spread(wall), spread(cpu)))
PY
