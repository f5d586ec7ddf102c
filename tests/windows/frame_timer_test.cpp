// The frame clock on the real performance counter.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/frame_timer.h"
#include "app/frame_timer_win32.h"

namespace {
double CounterSeconds() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

class FrameTimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ReadCounterFrequency());
    ASSERT_TRUE(InitTimer(1000));
    StartFrameClock();
  }
  void TearDown() override { ReleaseFrameClock(); }
};

TEST_F(FrameTimerTest, NoFrameEndsBeforeOnePeriodAndTheRateIsMeasured) {
  physics_rate = 0;
  double previous = CounterSeconds();
  for (int frame = 0; frame < 20; ++frame) {
    WaitForFrame();
    const double now = CounterSeconds();
    // The clock stamps a frame just before this test reads the counter: allow for that gap.
    EXPECT_GE(now - previous, 1.0 / 60 - 0.001) << "frame " << frame;
    previous = now;
    EXPECT_GE(frame_rate, 1);
    EXPECT_LE(frame_rate, 61);
  }
  EXPECT_EQ(physics_rate, 60);
}

TEST_F(FrameTimerTest, ReadTimerCountsMillisecondsOfTheCounter) {
  // Each reading is bracketed by counter readings, so the check holds however the thread
  // is scheduled: the true interval lies between the inner and the outer brackets.
  const double before_first = CounterSeconds();
  const uint32_t first = ReadTimer();
  const double after_first = CounterSeconds();
  Sleep(200);
  const double before_second = CounterSeconds();
  const uint32_t second = ReadTimer();
  const double after_second = CounterSeconds();
  const double difference = static_cast<double>(static_cast<uint32_t>(second - first));
  // One millisecond either way for the truncation of each reading.
  EXPECT_GE(difference, (before_second - after_first) * 1000.0 - 1.0);
  EXPECT_LE(difference, (after_second - before_first) * 1000.0 + 1.0);
}
}  // namespace
