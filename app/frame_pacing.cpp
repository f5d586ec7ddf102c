#include "app/frame_pacing.h"

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

WaitStep NextWaitStep(uint64_t now, uint64_t deadline, uint64_t counterFrequency, FrameWait wait) {
  // The frame ends at the first reading past the deadline, as a pure spin would see it.
  if (now > deadline) return WaitStep::Done;
  // Without the 1 ms timer period one Sleep(1) may last a whole system tick (~15.6 ms).
  if (wait.spin_requested || !wait.timer_period_granted) return WaitStep::Spin;
  const uint64_t remaining = deadline - now;
  return remaining * 1000 > kSpinMarginMs * counterFrequency ? WaitStep::Sleep : WaitStep::Spin;
}
