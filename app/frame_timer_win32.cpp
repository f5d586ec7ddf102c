#include "app/frame_timer_win32.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "app/frame_pacing.h"
#include "app/frame_timer.h"
#include "app/scene_state.h"

namespace {
uint64_t counter_frequency = 0;   // counts per second
uint64_t ticks_per_frame = 0;     // counts
uint64_t timer_ticks_per_unit = 0;
uint64_t last_frame_time = 0;     // counter at the end of the previous frame
bool timer_period_set = false;
bool spin_only = false;           // VORTA_FRAME_WAIT=spin: the benchmark's comparison
uint64_t sleep_margin = 0;        // counts kept back from sleeping (see NextSleepMargin)
uint32_t frames_waited = 0;

// For the benchmark: each frame's period and the part of it the wait spent spinning (counter
// ticks), and the scene it showed.
struct TracedFrame {
  uint32_t period;
  uint32_t spin;
  int32_t scene;
};
std::vector<TracedFrame> frame_trace;

uint64_t ReadCounter() {
  LARGE_INTEGER counter;
  if (!QueryPerformanceCounter(&counter)) return 0;
  return static_cast<uint64_t>(counter.QuadPart);
}

bool TraceRequested() { return std::getenv("VORTA_FRAME_TRACE") != nullptr; }
}  // namespace

bool ReadCounterFrequency() {
  LARGE_INTEGER frequency;
  if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return false;
  counter_frequency = static_cast<uint64_t>(frequency.QuadPart);
  ticks_per_frame = TicksPerFrame(counter_frequency);
  return true;
}

bool InitTimer(uint32_t unitsPerSecond) {
  LARGE_INTEGER frequency;
  if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return false;
  timer_ticks_per_unit = TimerTicksPerUnit(static_cast<uint64_t>(frequency.QuadPart), unitsPerSecond);
  return timer_ticks_per_unit != 0;
}

uint64_t ReadCounterTicks() { return ReadCounter(); }
uint64_t CounterFrequency() { return counter_frequency; }
uint32_t FramesWaited() { return frames_waited; }

uint32_t ReadTimer() { return CounterToUnits(ReadCounter(), timer_ticks_per_unit); }

void StartFrameClock() {
  const char* wait = std::getenv("VORTA_FRAME_WAIT");
  spin_only = wait != nullptr && std::string_view(wait) == "spin";
  if (!spin_only && !timer_period_set) timer_period_set = timeBeginPeriod(1) == TIMERR_NOERROR;
  if (TraceRequested()) frame_trace.reserve(60 * 600);
  sleep_margin = MarginTicks(counter_frequency, kInitialMarginUs);
  last_frame_time = ReadCounter();
}

void WaitForFrame() {
  const uint64_t deadline = last_frame_time + ticks_per_frame;
  uint64_t now = ReadCounter();
  uint64_t spin = 0;
  const bool spin_through = spin_only || WaitSpinsThrough(scene_state);
  for (;;) {
    const WaitStep step = NextWaitStep(now, deadline, counter_frequency,
                                       FrameWait{spin_through, timer_period_set, sleep_margin});
    if (step.done) break;
    if (step.sleep_ms != 0) {
      const uint64_t before = now;
      Sleep(step.sleep_ms);
      now = ReadCounter();
      sleep_margin = NextSleepMargin(sleep_margin, step.sleep_ms * (counter_frequency / 1000),
                                     now - before, counter_frequency);
    } else {
      const uint64_t before = now;
      now = ReadCounter();
      spin += now - before;
    }
  }
  frame_rate = FrameRateFor(counter_frequency, now - last_frame_time);
  physics_rate = kPhysicsRate;
  if (frame_trace.capacity() != 0 && frame_trace.size() < frame_trace.capacity()) {
    frame_trace.push_back(
        {static_cast<uint32_t>(now - last_frame_time), static_cast<uint32_t>(spin), scene_state});
  }
  ++frames_waited;
  // A fresh reading, not `now`: the time spent measuring belongs to the next frame.
  last_frame_time = ReadCounter();
}

void ReleaseFrameClock() {
  if (timer_period_set) {
    timeEndPeriod(1);
    timer_period_set = false;
  }
  const char* trace_path = std::getenv("VORTA_FRAME_TRACE");
  if (trace_path != nullptr && !frame_trace.empty()) {
    if (std::FILE* file = std::fopen(trace_path, "w")) {
      std::fprintf(file, "frequency %llu\n", static_cast<unsigned long long>(counter_frequency));
      for (const TracedFrame& frame : frame_trace) {
        std::fprintf(file, "%u %u %d\n", frame.period, frame.spin, static_cast<int>(frame.scene));
      }
      std::fclose(file);
    }
    frame_trace.clear();
    frame_trace.shrink_to_fit();
  }
}
