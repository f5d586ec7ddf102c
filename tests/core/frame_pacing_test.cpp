#include "app/frame_pacing.h"

#include <gtest/gtest.h>

#include "app/scene_state.h"

namespace {
constexpr uint64_t kAcpiFrequency = 3579545;  // counts per second of the ACPI power timer

TEST(FramePacingTest, PeriodAndRateOfTheClassicCounter) {
  EXPECT_EQ(TicksPerFrame(kAcpiFrequency), 59659u);
  // A frame waited out to the first count past one period shows 60.
  EXPECT_EQ(FrameRateFor(kAcpiFrequency, 59660), 60);
  // A slow frame is not waited for at all and shows its real rate.
  EXPECT_EQ(FrameRateFor(kAcpiFrequency, kAcpiFrequency / 7), 8);
  EXPECT_EQ(FrameRateFor(1000, 0), 1001) << "a counter that did not move counts as one tick";
}

TEST(FramePacingTest, TimerUnitsAreMillisecondsOfTheCounterAndWrapAt32Bits) {
  const uint64_t per_ms = TimerTicksPerUnit(10000000, 1000);
  EXPECT_EQ(per_ms, 10000u);
  EXPECT_EQ(CounterToUnits((1ull << 32) * per_ms + 5 * per_ms, per_ms), 5u);
  EXPECT_EQ(CounterToUnits(99, 0), 0u) << "no counter: the clock reads 0";
  EXPECT_EQ(TimerTicksPerUnit(10000000, 0), 0u) << "no units: InitTimer fails";
}

TEST(FramePacingTest, WaitSleepsWholeMillisecondsUpToTheMarginAndEndsPastTheDeadline) {
  const uint64_t f = 10000000;  // 10 MHz: 10000 ticks per ms
  const uint64_t deadline = 1000000;
  const FrameWait sleeping{false, true, 5000};
  const auto sleep_ms = [&](uint64_t now, const FrameWait& wait) {
    const WaitStep step = NextWaitStep(now, deadline, f, wait);
    return step.done ? -1 : static_cast<int>(step.sleep_ms);
  };
  EXPECT_EQ(sleep_ms(deadline - 150000, sleeping), 14) << "15 ms left, 0.5 ms kept for the spin";
  EXPECT_EQ(sleep_ms(deadline - 14999, sleeping), 0) << "a whole sleep would eat the margin";
  EXPECT_EQ(sleep_ms(deadline, sleeping), 0) << "the frame ends only after the deadline";
  EXPECT_EQ(sleep_ms(deadline + 1, sleeping), -1);
  EXPECT_EQ(sleep_ms(deadline - 150000, {true, true, 5000}), 0);
  EXPECT_EQ(sleep_ms(deadline - 150000, {false, false, 5000}), 0)
      << "without the 1 ms timer period one Sleep(1) can last a whole system tick";
  EXPECT_TRUE(WaitSpinsThrough(SCENE_RACE)) << "a late wake would cost the driver time";
  for (int32_t scene : {SCENE_RACE_ENTER, SCENE_TITLE, SCENE_CAR_SELECT, SCENE_RESULT}) {
    EXPECT_FALSE(WaitSpinsThrough(scene)) << scene;
  }
}

TEST(FramePacingTest, MarginFollowsTheLatenessOfSleeps) {
  const uint64_t f = 10000000;  // 10 ticks per microsecond
  const uint64_t minimum = 2500;  // 0.25 ms
  uint64_t margin = 20000;        // 2 ms at the start
  // Punctual wakes let it drift down to the minimum, never below.
  for (int i = 0; i < 200; ++i) margin = NextSleepMargin(margin, 140000, 140000, f);
  EXPECT_EQ(margin, minimum);
  // One wake 1.2 ms late widens it at once to cover that, plus the minimum.
  margin = NextSleepMargin(margin, 140000, 152000, f);
  EXPECT_EQ(margin, 12000 + minimum);
  // A wake 0.08 ms late then: the gap of 1.12 ms to what it needs narrows by a sixteenth.
  margin = NextSleepMargin(margin, 140000, 140800, f);
  EXPECT_EQ(margin, 800 + minimum + 10500);
  // A stall of a whole frame is not taken as the new normal.
  EXPECT_EQ(NextSleepMargin(margin, 10000, 400000, f), 40000u) << "4 ms at most";
}
}  // namespace
