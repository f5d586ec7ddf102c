// vorta-replay: races a replay file again with the game's own race flow and prints the run log's
// header and the run's line, as vorta_runs.csv has them. Fails when the file is refused or
// when the run, raced again, does not reach the finish at the time the game stored.
//
// Usage: vorta-replay [--trace] FILE
// --trace prints every frame's state instead, its values as the bits of their IEEE numbers,
// so that two builds can be compared to the last bit.
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "data/car_data_format.h"
#include "race/replay.h"
#include "race/replay_file.h"
#include "race/run_log.h"

extern const uint8_t kDeliveredCarData[];
extern const size_t kDeliveredCarDataSize;

namespace {

// Each some 140 KB: no room for them on a small stack.
Replay replay;
ReplayPlayer player;

int Usage() {
  std::fprintf(stderr, "usage: vorta-replay [--trace] FILE\n");
  return 2;
}

template <typename T>
uint64_t Bits(T value) {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof value);
  return bits;
}

void TraceFrame(uint32_t frame) {
  const RaceState& r = player.race;
  std::printf("%" PRIu32 ",%" PRIu32 ",%d,%08" PRIx64 ",%016" PRIx64 ",%08" PRIx64 ",%016" PRIx64
              ",%" PRIu32 "\n",
              frame, replay.frames[frame].now_ms, static_cast<int>(r.signal_step), Bits(r.distance),
              Bits(r.speed), Bits(r.engine_rpm), Bits(player.model.traction_limit), r.race_time_ms);
}

}  // namespace

int main(int argc, char** argv) {
  bool trace = false;
  const char* path = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--trace") == 0) {
      trace = true;
    } else if (path == nullptr && argv[i][0] != '-') {
      path = argv[i];
    } else {
      return Usage();
    }
  }
  if (path == nullptr) return Usage();

  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "vorta-replay: cannot open %s\n", path);
    return 1;
  }
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                   std::istreambuf_iterator<char>());
  ReplayReadOutcome outcome = DecodeReplay(bytes.data(), bytes.size(), replay);
  std::vector<CarRecord> cars;
  if (ParseCarData(kDeliveredCarData, kDeliveredCarDataSize, cars) != CarDataError::kNone) {
    std::fprintf(stderr, "vorta-replay: the built-in car table does not load\n");
    return 1;
  }
  const ReplayHeader& header = replay.header;
  if (outcome == ReplayReadOutcome::kLoaded &&
      (header.car_index >= cars.size() || !ReplayIsOfCar(header, cars[header.car_index]))) {
    outcome = ReplayReadOutcome::kOtherCarData;
  }
  if (outcome != ReplayReadOutcome::kLoaded) {
    std::fprintf(stderr, "vorta-replay: %s: %s", path, ReplayReadOutcomeText(outcome));
    return 1;
  }

  FillTachoScale();
  const CarSpec& car = cars[header.car_index];
  StartReplayPlayer(player, replay, car, TachoScaleFor(car));
  if (trace) std::printf("frame,now_ms,signal,distance_f32,speed_f64,rpm_f32,traction_f64,race_ms\n");
  for (uint32_t frame = 0; StepReplayPlayer(player); ++frame) {
    if (trace) TraceFrame(frame);
  }
  const RaceState& race = player.race;
  if (!trace) {
    const LocalDateTime date = {header.year, header.month,  header.day,
                                header.hour, header.minute, header.second};
    const int32_t metres = static_cast<int32_t>(CourseLength[header.course]);
    std::printf("%s\n%s\n", kRunLogHeader,
                FormatRunLogLine(date, SingleByteShiftJisToUtf8(car.name, sizeof car.name), metres,
                                 race)
                    .c_str());
  }
  if (!race.finished || race.race_time_ms != header.race_time_ms) {
    std::fprintf(stderr, "vorta-replay: %s: raced again the run %s at %" PRIu32
                 " ms; the game stored %" PRIu32 " ms\n",
                 path, race.finished ? "finishes" : "stops short", race.race_time_ms,
                 header.race_time_ms);
    return 1;
  }
  return 0;
}
