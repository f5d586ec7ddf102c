#!/usr/bin/env python3
"""Figures of one run of tools/bench-race-clock.sh, from the game's frame trace (frames.txt:
a frequency line, then "period spin scene" per frame in counter ticks) and race trace
(race.txt: one line per race frame, see race/race_trace_win32.h) and the CPU phases the script
measured (phases.txt: "name ticks seconds").

Usage: race_clock_report.py <folder> <run name> <clock ticks per second>"""
import sys

PERIOD_MS = 1000.0 / 60


def read_frames(path):
    lines = open(path).read().split("\n")
    frequency = int(lines[0].split()[1])
    return [int(line.split()[0]) * 1000.0 / frequency for line in lines[1:] if line.strip()]


def read_race(path):
    rows = []
    for line in open(path):
        f = line.split()
        if len(f) < 10:
            continue
        rows.append({"frame": int(f[0]), "step": int(f[1]), "distance": float(f[2]),
                     "speed": float(f[3]), "time": int(f[4]), "finished": int(f[5]),
                     "fps_signal": int(f[6]), "fps_finish": int(f[7]),
                     "work_ms": int(f[8]) / 1000.0, "show_ms": int(f[9]) / 1000.0})
    return rows


def split_runs(rows):
    """A new run starts where the trace's frames stop following one another or the signal
    goes back to its first step (a restart)."""
    runs, current = [], []
    for row in rows:
        if current and (row["frame"] != current[-1]["frame"] + 1 or
                        row["step"] < current[-1]["step"]):
            runs.append(current)
            current = []
        current.append(row)
    if current:
        runs.append(current)
    return runs


def main():
    folder, name, clk_tck = sys.argv[1], sys.argv[2], int(sys.argv[3])
    try:
        periods = read_frames(f"{folder}/frames.txt")
        rows = read_race(f"{folder}/race.txt")
    except (OSError, IndexError, ValueError) as error:
        print(f"{name}: no trace ({error})")
        return
    finished_runs = [run for run in split_runs(rows) if any(r["finished"] for r in run)]
    if not finished_runs:
        print(f"{name}: no finished race in the trace ({len(rows)} race frames)")
    for run in finished_runs:
        go = next(i for i, r in enumerate(run) if r["step"] == 5)
        finish = next(i for i, r in enumerate(run) if r["finished"])
        period = [periods[r["frame"]] if r["frame"] < len(periods) else PERIOD_MS for r in run]
        # The clock runs from the start of the go frame to the start of the finish frame.
        timed = range(go, finish)
        overrun = sum(max(0.0, period[i] - PERIOD_MS) for i in timed)
        clock_gain = run[finish - 1]["time"] - (finish - 1 - go) * PERIOD_MS
        slow = sum(1 for i in timed if period[i] > 20.0)
        worst = max(range(len(run)), key=lambda i: period[i])
        later = range(60, len(run))
        worst_later = max(later, key=lambda i: period[i]) if len(run) > 60 else worst
        last = run[-1]
        work = sorted(run[i]["work_ms"] for i in timed)
        show = sorted(run[i]["show_ms"] for i in timed)
        print(f"{name}: race frames {len(run)}, go to finish {finish - go} frames, "
              f"overrun {overrun:.1f} ms, clock beyond frames {clock_gain:.1f} ms, "
              f"frames over 20 ms {slow}, time {run[finish]['time'] / 1000:.3f} s")
        print(f"{'':{len(name)}}  worst frame {period[worst]:.1f} ms (race frame {worst}, "
              f"{run[worst]['distance']:.1f} m), worst after the first second "
              f"{period[worst_later]:.1f} ms (race frame {worst_later}, "
              f"{run[worst_later]['distance']:.1f} m); fps_at_signal {last['fps_signal']}, "
              f"fps_at_finish {last['fps_finish']}; work median {work[len(work) // 2]:.1f} ms "
              f"max {work[-1]:.1f} ms; copy to screen median {show[len(show) // 2]:.2f} ms "
              f"max {show[-1]:.1f} ms")
    cpu = []
    for line in open(f"{folder}/phases.txt"):
        phase, ticks, seconds = line.split()
        cpu.append(f"{phase} {100.0 * int(ticks) / clk_tck / float(seconds):.0f} %")
    print(f"{'':{len(name)}}  CPU of a core: " + ", ".join(cpu))


main()
