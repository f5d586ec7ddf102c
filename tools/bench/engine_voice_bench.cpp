// Engine voice benchmark (not a test): what one frame's synthesis costs in the game's own
// Windows build. For every car of the game's car data it plays a scripted run through the
// ways the engine is heard (idle, revving against the limiter, a spinning launch, pulling
// through the revs, the overrun), timing each frame's 735 samples with the performance
// counter, and prints the median, the 99th percentile and the worst, in microseconds and as a
// share of a 1/60 s frame.
// Usage: engine_voice_bench.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "data/car_data_loader.h"
#include "data/car_record.h"
#include "data/car_table.h"
#include "sound/engine_voice.h"

namespace {
constexpr int kFrameSamples = kEngineSampleRate / 60;

// Frame f of the scripted run of a car that idles at `idle` and is cut at `limit` rpm.
EngineSoundState ScriptedFrame(int f, float idle, float limit) {
  EngineSoundState s;
  if (f < 60) {  // at the line
    s.rpm = idle;
    s.disengaged = true;
  } else if (f < 180) {  // revving against the limiter, cut every third frame
    s.rpm = limit * (f % 3 == 0 ? 1.0f : 0.98f);
    s.throttle = s.disengaged = true;
    s.limiter_cut = f % 3 == 0;
  } else if (f < 300) {  // the launch: wheelspin dying away
    s.rpm = limit * 0.7f;
    s.throttle = true;
    s.wheel_slip = 0.8f * (300 - f) / 120.0f;
  } else if (f < 540) {  // pulling through the revs
    s.rpm = idle + (limit - idle) * (f - 300) / 240.0f;
    s.throttle = true;
  } else {  // the overrun
    s.rpm = limit * 0.6f;
  }
  return s;
}
}  // namespace

int main() {
  if (!LoadCarData()) {
    std::printf("no car data\n");
    return 1;
  }
  FillTachoScale();
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;  // us
  static int16_t samples[kFrameSamples];
  for (const CarRecord& car : car_table) {
    static EngineVoicing voicing;
    EngineVoice voice;
    MakeEngineVoicing(car, TachoScaleFor(car).rev_limit, voicing);
    StartEngineVoice(voice, voicing);
    for (int f = 0; f < 600; ++f) {
      const EngineSoundState state = ScriptedFrame(f, voicing.idle_rpm, voicing.limit_rpm);
      LARGE_INTEGER start, end;
      QueryPerformanceCounter(&start);
      RenderEngineVoice(voice, voicing, state, samples, kFrameSamples);
      QueryPerformanceCounter(&end);
      times.push_back((end.QuadPart - start.QuadPart) * 1e6 / frequency.QuadPart);
    }
  }
  std::sort(times.begin(), times.end());
  const double median = times[times.size() / 2], p99 = times[times.size() * 99 / 100];
  std::printf("Engine voice: %zu frames of %d samples at %d Hz (%zu cars): median %.1f us, "
              "99th percentile %.1f us, worst %.1f us; median %.2f %% of a 1/60 s frame\n",
              times.size(), kFrameSamples, kEngineSampleRate, car_table.size(), median, p99,
              times.back(), median / 16666.7 * 100.0);
  return 0;
}
