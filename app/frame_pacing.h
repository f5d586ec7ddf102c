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

// How the frame wait spends the time left until `deadline`: sleeping is coarse, so the wait
// sleeps only while more than kSpinMarginMs remain and spins on the counter for the rest.
constexpr uint64_t kSpinMarginMs = 2;
enum class WaitStep { Done, Sleep, Spin };
struct FrameWait {
  bool spin_requested;         // the benchmark's pure spin
  bool timer_period_granted;   // timeBeginPeriod(1) succeeded
};
WaitStep NextWaitStep(uint64_t now, uint64_t deadline, uint64_t counterFrequency, FrameWait wait);
