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
    EXPECT_GE(now - previous, 1.0 / 60 - 1e-6) << "frame " << frame;
    previous = now;
    EXPECT_GE(frame_rate, 1);
    EXPECT_LE(frame_rate, 61);
  }
  EXPECT_EQ(physics_rate, 60);
}

TEST_F(FrameTimerTest, SlowFrameIsNotWaitedForAndShowsItsRate) {
  WaitForFrame();
  Sleep(70);  // a frame four periods long
  const double before = CounterSeconds();
  WaitForFrame();
  EXPECT_LT(CounterSeconds() - before, 0.005) << "a late frame must not wait again";
  EXPECT_LE(frame_rate, 16);
}

TEST_F(FrameTimerTest, ReadTimerCountsMillisecondsOfTheCounter) {
  const uint32_t first = ReadTimer();
  const double start = CounterSeconds();
  Sleep(200);
  const uint32_t second = ReadTimer();
  const double elapsed_ms = (CounterSeconds() - start) * 1000.0;
  const double difference = static_cast<double>(static_cast<uint32_t>(second - first));
  EXPECT_NEAR(difference, elapsed_ms, 2.0);
}
}  // namespace
