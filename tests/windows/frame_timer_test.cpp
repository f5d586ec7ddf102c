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
}  // namespace
