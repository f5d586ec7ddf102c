// The arithmetic of the 60 Hz frame pacing, apart from the counter that feeds it.
#pragma once

#include <cstdint>

constexpr int kFramesPerSecond = 60;
constexpr int kPhysicsRate = 60;  // car-model steps per second, whatever the real frame took

// Counter ticks in one frame period (64-bit integer division).
uint64_t TicksPerFrame(uint64_t counterFrequency);

// The frame rate shown for a frame that took `elapsedTicks`: frequency / elapsed + 1, so one
// that took exactly one period shows 60 and one of two periods 30.
int32_t FrameRateFor(uint64_t counterFrequency, uint64_t elapsedTicks);

// Counter ticks per ReadTimer unit, and a counter reading converted to those units
// (64-bit division, low 32 bits kept).
uint64_t TimerTicksPerUnit(uint64_t counterFrequency, uint32_t unitsPerSecond);
uint32_t CounterToUnits(uint64_t counter, uint64_t ticksPerUnit);

// How the frame wait spends the time left until `deadline`. A sleep wakes a little late, by an
// amount that depends on the system and its load: the wait sleeps whole milliseconds as long as
// that lateness (the margin) still fits before the deadline, and spins on the counter only for
// the rest, so a fast-waking system spends almost nothing spinning.
struct FrameWait {
  bool spin_requested;        // the benchmark's pure spin, and every wait of a race
  bool timer_period_granted;  // timeBeginPeriod(1) succeeded
  uint64_t margin;            // counter ticks kept back for the spin
};
struct WaitStep {
  bool done;
  uint32_t sleep_ms;  // with done false: 0 spins, otherwise Sleep(sleep_ms)
};
WaitStep NextWaitStep(uint64_t now, uint64_t deadline, uint64_t counterFrequency,
                      const FrameWait& wait);

// Whether the wait of a frame of `sceneState` spins all the way. The race clock is the wall
// clock while the car model steps 1/60 s a frame, so every wake-up that lands past the
// deadline costs the driver time: in a window under Wine, sleeping lost 19-69 ms a race to
// such wakes, spinning 2-13 ms. Everywhere else a sleep spares most of a core.
bool WaitSpinsThrough(int32_t sceneState);

// The margin a wait starts with, and its bounds.
constexpr uint64_t kInitialMarginUs = 2000;
constexpr uint64_t kMinimumMarginUs = 250;
constexpr uint64_t kMaximumMarginUs = 4000;
uint64_t MarginTicks(uint64_t counterFrequency, uint64_t microseconds);

// The margin after a sleep asked for `requestedTicks` that took `sleptTicks`: it rises at once
// to the lateness seen plus the minimum, and otherwise drifts down to it by a sixteenth per
// sleep, so one slow wake on a busy machine widens it for a fraction of a second only.
uint64_t NextSleepMargin(uint64_t margin, uint64_t requestedTicks, uint64_t sleptTicks,
                         uint64_t counterFrequency);
