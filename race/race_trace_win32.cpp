#include "race/race_trace_win32.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/frame_timer_win32.h"

namespace {
struct TracedRaceFrame {
  uint32_t frame;
  int32_t signal_step;
  float distance;        // m
  float speed;           // km/h
  uint32_t race_time_ms;
  bool finished;
  uint16_t fps_at_signal;
  uint16_t fps_at_finish;
  uint32_t work_us;
  uint32_t show_us;
  float engine_rpm;      // rpm
  int32_t gear_row;
  int32_t gear_column;
};

std::vector<TracedRaceFrame> race_trace;

const char* TracePath() {
  static const char* const path = std::getenv("VORTA_RACE_TRACE");
  return path;
}

uint32_t Microseconds(uint64_t ticks) {
  const uint64_t frequency = CounterFrequency();
  return frequency == 0 ? 0 : static_cast<uint32_t>(ticks * 1000000 / frequency);
}
}  // namespace

void TraceRaceFrame(const RaceState& race, uint64_t workTicks, uint64_t showTicks) {
  if (TracePath() == nullptr) return;
  // Ten minutes of racing, reserved at once so that noting a frame never allocates.
  if (race_trace.capacity() == 0) race_trace.reserve(60 * 600);
  if (race_trace.size() == race_trace.capacity()) return;
  race_trace.push_back({FramesWaited(), race.signal_step, race.distance,
                        static_cast<float>(race.speed), race.race_time_ms, race.finished,
                        race.fps_at_signal, race.fps_at_finish, Microseconds(workTicks),
                        Microseconds(showTicks), race.engine_rpm, race.gear_row,
                        race.gear_column});
}

void WriteRaceTrace() {
  if (TracePath() == nullptr || race_trace.empty()) return;
  if (std::FILE* file = std::fopen(TracePath(), "w")) {
    for (const TracedRaceFrame& f : race_trace) {
      std::fprintf(file, "%u %d %.3f %.2f %u %d %u %u %u %u %.0f %d %d\n", f.frame, f.signal_step,
                   f.distance, f.speed, f.race_time_ms, f.finished ? 1 : 0, f.fps_at_signal,
                   f.fps_at_finish, f.work_us, f.show_us, f.engine_rpm, f.gear_row,
                   f.gear_column);
    }
    std::fclose(file);
  }
  race_trace.clear();
}
