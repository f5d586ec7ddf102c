#include "app/frame_pacing.h"

#include "app/scene_state.h"

uint64_t TicksPerFrame(uint64_t counterFrequency) { return counterFrequency / kFramesPerSecond; }

int32_t FrameRateFor(uint64_t counterFrequency, uint64_t elapsedTicks) {
  if (elapsedTicks == 0) elapsedTicks = 1;  // a counter that did not move must not divide by 0
  return static_cast<int32_t>(counterFrequency / elapsedTicks + 1);
}

uint64_t TimerTicksPerUnit(uint64_t counterFrequency, uint32_t unitsPerSecond) {
  if (unitsPerSecond == 0) return 0;
  return counterFrequency / unitsPerSecond;
}

uint32_t CounterToUnits(uint64_t counter, uint64_t ticksPerUnit) {
  if (ticksPerUnit == 0) return 0;
  return static_cast<uint32_t>(counter / ticksPerUnit);
}

WaitStep NextWaitStep(uint64_t now, uint64_t deadline, uint64_t counterFrequency,
                      const FrameWait& wait) {
  // The frame ends at the first reading past the deadline, as a pure spin would see it.
  if (now > deadline) return {true, 0};
  // Without the 1 ms timer period one Sleep(1) may last a whole system tick (~15.6 ms).
  if (wait.spin_requested || !wait.timer_period_granted) return {false, 0};
  const uint64_t remaining = deadline - now;
  const uint64_t ticks_per_ms = counterFrequency / 1000;
  if (ticks_per_ms == 0 || remaining <= wait.margin) return {false, 0};
  return {false, static_cast<uint32_t>((remaining - wait.margin) / ticks_per_ms)};
}

bool WaitSpinsThrough(int32_t sceneState) { return sceneState == SCENE_RACE; }

uint64_t MarginTicks(uint64_t counterFrequency, uint64_t microseconds) {
  return counterFrequency / 1000 * microseconds / 1000;
}

uint64_t NextSleepMargin(uint64_t margin, uint64_t requestedTicks, uint64_t sleptTicks,
                         uint64_t counterFrequency) {
  const uint64_t lateness = sleptTicks > requestedTicks ? sleptTicks - requestedTicks : 0;
  const uint64_t wanted = lateness + MarginTicks(counterFrequency, kMinimumMarginUs);
  if (wanted >= margin) {
    margin = wanted;
  } else {
    margin -= (margin - wanted + 15) / 16;  // rounded up, so it settles on `wanted`
  }
  const uint64_t maximum = MarginTicks(counterFrequency, kMaximumMarginUs);
  return margin < maximum ? margin : maximum;
}
