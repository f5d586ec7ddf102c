#include "app/frame_pacing.h"

#include <gtest/gtest.h>

namespace {
constexpr uint64_t kAcpiFrequency = 3579545;  // counts per second of the ACPI power timer

TEST(FramePacingTest, PeriodAndRateOfTheClassicCounter) {
  EXPECT_EQ(TicksPerFrame(kAcpiFrequency), 59659u);
  // A frame waited out to the first count past one period shows 60.
  EXPECT_EQ(FrameRateFor(kAcpiFrequency, 59660), 60);
  EXPECT_EQ(FrameRateFor(kAcpiFrequency, 2 * 59660), 30);
  // A slow frame is not waited for at all and shows its real rate.
  EXPECT_EQ(FrameRateFor(kAcpiFrequency, kAcpiFrequency / 7), 8);
  EXPECT_GT(FrameRateFor(kAcpiFrequency, 0), 0) << "a counter that did not move must not crash";
}

TEST(FramePacingTest, TimerUnitsAreMillisecondsOfTheCounterAndWrapAt32Bits) {
  const uint64_t per_ms = TimerTicksPerUnit(10000000, 1000);
  EXPECT_EQ(per_ms, 10000u);
  const uint64_t start = 123456789012345ull;
  const uint32_t a = CounterToUnits(start, per_ms);
  const uint32_t b = CounterToUnits(start + 1000 * per_ms, per_ms);
  EXPECT_EQ(static_cast<uint32_t>(b - a), 1000u);
  EXPECT_EQ(CounterToUnits((1ull << 32) * per_ms + 5 * per_ms, per_ms), 5u);
  EXPECT_EQ(CounterToUnits(99, 0), 0u) << "no counter: the clock reads 0";
}

TEST(FramePacingTest, WaitSleepsOnlyWellBeforeTheDeadlineAndEndsPastIt) {
  const uint64_t f = 10000000;  // 10 MHz: 10000 ticks per ms
  const uint64_t deadline = 1000000;
  const FrameWait sleeping{false, true};
  EXPECT_EQ(NextWaitStep(deadline - 150000, deadline, f, sleeping), WaitStep::Sleep);
  EXPECT_EQ(NextWaitStep(deadline - 20000, deadline, f, sleeping), WaitStep::Spin)
      << "exactly the margin left: spin, the sleep could overshoot";
  EXPECT_EQ(NextWaitStep(deadline - 1, deadline, f, sleeping), WaitStep::Spin);
  EXPECT_EQ(NextWaitStep(deadline, deadline, f, sleeping), WaitStep::Spin)
      << "the frame ends only after the deadline, never on it";
  EXPECT_EQ(NextWaitStep(deadline + 1, deadline, f, sleeping), WaitStep::Done);
  EXPECT_EQ(NextWaitStep(deadline - 150000, deadline, f, {true, true}), WaitStep::Spin);
  EXPECT_EQ(NextWaitStep(deadline - 150000, deadline, f, {false, false}), WaitStep::Spin)
      << "without the 1 ms timer period one Sleep(1) can last a whole system tick";
}
}  // namespace
