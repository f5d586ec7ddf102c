#!/usr/bin/env python3
"""Checks a recording of the game's engine against the race trace it played to.

Usage: engine_sound_check.py <quiet.raw> <race.raw> <race.txt>

quiet.raw and race.raw: 16-bit mono at 44,100 Hz from the sound server's monitor, first with
the sound off, then through a race with it on. race.txt: the race trace (VORTA_RACE_TRACE, see
race/race_trace_win32.h), whose last column is the engine speed of each race frame.

The car is the first selectable one, 276 ps with a rev limit of 10000 rpm: a four-cylinder
voice, two firings a revolution, so its note is rpm / 30 Hz."""
import sys

import numpy as np

RATE = 44100
HOP = RATE // 60            # one frame of 1/60 s
WINDOW = 4096               # about 93 ms
FIRINGS_PER_REV = 2
BAND = (40.0, 1200.0)       # Hz, where the firing note lives
TOLERANCE = 0.06            # of the expected pitch
SILENT = 8                  # largest sample still counted as silence


def fail(message):
    print(f"engine sound: {message}")
    sys.exit(1)


def read_raw(path):
    return np.fromfile(path, dtype="<i2").astype(np.float64)


def read_race(path):
    """(seconds since the go lamp, rpm, lever row, lever column) of every frame from the go
    lamp to the finish."""
    rows = []
    for line in open(path):
        f = line.split()
        if len(f) < 13:
            continue
        step, time_ms, finished = int(f[1]), int(f[4]), int(f[5])
        if step == 5 and not finished:
            rows.append((time_ms / 1000.0, float(f[10]), int(f[11]), int(f[12])))
    return np.array(rows)


def pitch_track(samples):
    """The dominant frequency in the band, per frame, from a Hann window centred on it."""
    window = np.hanning(WINDOW)
    size = 4 * WINDOW
    frequencies = np.fft.rfftfreq(size, 1.0 / RATE)
    band = (frequencies >= BAND[0]) & (frequencies <= BAND[1])
    first = np.argmax(band)
    track = []
    for start in range(0, len(samples) - WINDOW, HOP):
        magnitudes = np.abs(np.fft.rfft(samples[start:start + WINDOW] * window, size))[band]
        peak = int(np.argmax(magnitudes))
        # A parabola through the peak and its neighbours places it between the bins.
        offset = 0.0
        if 0 < peak < len(magnitudes) - 1:
            a, b, c = np.log(magnitudes[peak - 1:peak + 2] + 1e-9)
            offset = 0.5 * (a - c) / (a - 2 * b + c) if a - 2 * b + c != 0 else 0.0
        track.append(frequencies[first + peak] + offset * (frequencies[1] - frequencies[0]))
    # Frame i of the track is centred WINDOW / 2 samples after its start.
    times = (np.arange(len(track)) * HOP + WINDOW / 2) / RATE
    return times, np.array(track)


def silences(samples, longer_than):
    """(start, length) in samples of every run of silence longer than `longer_than`."""
    quiet = np.concatenate(([False], np.abs(samples) <= SILENT, [False])).astype(np.int8)
    edges = np.flatnonzero(np.diff(quiet))
    starts, ends = edges[0::2], edges[1::2]
    return [(a, b - a) for a, b in zip(starts, ends) if b - a > longer_than]


def main():
    quiet, race, trace = read_raw(sys.argv[1]), read_raw(sys.argv[2]), read_race(sys.argv[3])
    if len(quiet) < RATE // 2 or len(race) < 5 * RATE or len(trace) < 120:
        fail(f"too little recorded: {len(quiet)} and {len(race)} samples, {len(trace)} race frames")
    if np.max(np.abs(quiet)) > SILENT:
        fail(f"sound with the sound off: peak {np.max(np.abs(quiet)):.0f}")

    times, track = pitch_track(race)
    expected = trace[:, 1] * FIRINGS_PER_REV / 60.0
    # The go lamp's place in the recording (the game's and the server's latency included):
    # where the recorded pitch best follows the trace.
    best = (0.0, None)
    for go in np.arange(0.0, times[-1] - trace[-1, 0], 1.0 / 60):
        heard = np.interp(go + trace[:, 0], times, track)
        score = np.mean(np.abs(heard / expected - 1.0) < TOLERANCE)
        if score > best[0]:
            best = (score, go)
    score, go = best
    if go is None:
        fail("the recording is shorter than the race")
    heard = np.interp(go + trace[:, 0], times, track)
    rpm = trace[:, 1]

    # Where the engine speed moves slowly enough for the window, under 2 % a frame, and the
    # note lies in the band, the pitch is the engine's.
    steady = np.abs(np.diff(rpm, prepend=rpm[0])) < 0.02 * rpm
    steady &= (expected > BAND[0] * 1.5) & (expected < BAND[1])
    within = np.abs(heard / expected - 1.0) < TOLERANCE
    print(f"go lamp at {go:.3f} s of the recording; pitch within {TOLERANCE:.0%} of the "
          f"engine speed in {np.mean(within[steady]):.0%} of {np.sum(steady)} steady frames")
    if np.mean(within[steady]) < 0.8:
        fail("the pitch does not follow the engine speed")

    # First gear is the upper left cell of the gate, second the lower left. Where the engine
    # speed rises most in first gear (from its lowest to a later highest, within the band),
    # the pitch must rise as much.
    first = np.flatnonzero((trace[:, 2] == 0) & (trace[:, 3] == 0) & (expected >= 1.5 * BAND[0]))
    second = np.flatnonzero((trace[:, 2] == 2) & (trace[:, 3] == 0))
    if len(first) < 60 or len(second) < 60:
        fail(f"{len(first)} frames in first gear, {len(second)} in second: no shift to judge")
    lowest = np.minimum.accumulate(rpm[first])
    top = int(np.argmax(rpm[first] / lowest))
    high_at, low_at = first[top], first[int(np.argmax(rpm[first] == lowest[top]))]
    gain = rpm[high_at] / rpm[low_at]
    low, high = np.median(heard[low_at:low_at + 3]), np.median(heard[high_at - 2:high_at + 1])
    print(f"first gear: the engine rises from {rpm[low_at]:.0f} to {rpm[high_at]:.0f} rpm, "
          f"heard {low:.0f} to {high:.0f} Hz")
    if gain < 1.15:
        fail("the run has no rise of the engine speed in first gear to compare with")
    if not (high / low > 1.0 + 0.6 * (gain - 1.0) and
            abs(high / expected[high_at] - 1.0) < TOLERANCE):
        fail("the pitch does not rise with the engine through first gear")
    # The shift: the last note of first gear against the note once the clutch has bitten in
    # second (the lowest engine speed of the shift, and a tenth of a second on).
    before = first[-1]
    settled = second[0] + int(np.argmin(rpm[second[0]:second[0] + 90])) + 6
    high, after = np.median(heard[before - 2:before + 1]), np.median(heard[settled:settled + 6])
    print(f"shift: {rpm[before]:.0f} -> {rpm[settled]:.0f} rpm, heard {high:.0f} -> {after:.0f} Hz")
    if not (rpm[settled] < rpm[before] and after < high * (rpm[settled] / rpm[before] + TOLERANCE)):
        fail("the pitch does not drop at the shift")

    # A gap is the game's fault unless the game itself stalled there (a frame of over 50 ms
    # within a quarter of a second): no lead within 50 ms of latency covers a stalled machine.
    # The race's last 50 ms (the most latency allowed) are still on their way out when the race
    # is left and its buffer stops: their silence is the leaving, not a gap.
    periods = np.diff(trace[:, 0], prepend=trace[0, 0])
    racing = race[int(go * RATE):int((go + trace[-1, 0] - 0.05) * RATE)]
    for start, length in silences(racing, HOP):
        at = start / RATE
        near = periods[np.abs(trace[:, 0] - at) < 0.25]
        stall = near.max() if len(near) else 0.0
        print(f"silence of {length / RATE * 1000:.1f} ms at {at:.2f} s after the go lamp; "
              f"slowest frame near it {stall * 1000:.0f} ms")
        if stall < 0.05:
            fail("a gap longer than a frame while racing")

main()
