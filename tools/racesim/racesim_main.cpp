// racesim: runs every car of a compiled car table over both courses with a scripted driver,
// through the game's own gear lever, car model and race clock, and prints the times.
//
// Usage: racesim [--clutch-frames N] [--reaction-frames N] [--trace INDEX] <cardata.bin>
// --trace prints every frame of that car's best 400 m run as CSV instead of the table.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "data/car_data_format.h"
#include "race/run_log.h"
#include "tools/racesim/race_driver.h"

namespace {

constexpr float kCourseLengths[2] = {400.0f, 1000.0f};  // m
// The spread of the default ranking tables: the slowest and fastest default times, s.
constexpr double kDefaultSlowest[2] = {15.0, 27.2};
constexpr double kDefaultFastest[2] = {13.0, 24.0};

const char* const kLayoutNames[4] = {"FF", "FR", "MR", "4WD"};

int Usage() {
  std::fprintf(stderr,
               "usage: racesim [--clutch-frames N] [--reaction-frames N] [--trace INDEX] "
               "<cardata.bin>\n");
  return 2;
}

bool ParseCount(const char* text, int& out) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 0 || value > 600) return false;
  out = static_cast<int>(value);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int clutchFrames = 15;
  int reactionFrames = 0;
  int traceIndex = -1;
  const char* path = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--clutch-frames") == 0 && i + 1 < argc) {
      if (!ParseCount(argv[++i], clutchFrames)) return Usage();
    } else if (std::strcmp(argv[i], "--reaction-frames") == 0 && i + 1 < argc) {
      if (!ParseCount(argv[++i], reactionFrames)) return Usage();
    } else if (std::strcmp(argv[i], "--trace") == 0 && i + 1 < argc) {
      if (!ParseCount(argv[++i], traceIndex)) return Usage();
    } else if (path == nullptr && argv[i][0] != '-') {
      path = argv[i];
    } else {
      return Usage();
    }
  }
  if (path == nullptr) return Usage();

  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "racesim: cannot open %s\n", path);
    return 1;
  }
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                   std::istreambuf_iterator<char>());
  std::vector<CarSpec> cars;
  const CarDataError error = ParseCarData(bytes.data(), bytes.size(), cars);
  if (error != CarDataError::kNone) {
    std::fprintf(stderr, "racesim: %s: %s", path, CarDataErrorText(error));
    return 1;
  }
  FillTachoScale();

  if (traceIndex >= 0) {
    if (static_cast<size_t>(traceIndex) >= cars.size()) {
      std::fprintf(stderr, "racesim: no car %d in %s\n", traceIndex, path);
      return 1;
    }
    const CarSpec& car = cars[traceIndex];
    RunResult run;
    const DriverPlan plan =
        BestLaunch(car, TachoScaleFor(car), kCourseLengths[0], clutchFrames, reactionFrames, run);
    std::printf("frame,race_ms,phase,gear,row,column,bits,rpm,kmh,m,traction_n,pitch\n");
    SimulateRun(car, TachoScaleFor(car), plan, kCourseLengths[0], 240, stdout);
    return 0;
  }

  std::printf("Scripted driver: launch from first gear at the best engine speed (searched "
              "1500 rpm to the limit, 500 rpm apart), clutch held %d frames (%.0f ms) per "
              "shift with the throttle closed, shifts at the road speed where the next gear "
              "pulls harder, reaction %d frames. 60 steps per second.\n\n",
              clutchFrames, clutchFrames * 1000.0 / 60.0, reactionFrames);
  std::printf("| # | id | car | drive | gears | launch rpm | 400 m s | km/h at 400 m | top km/h "
              "| 1000 m s | km/h at 1000 m | top km/h |\n");
  std::printf("|---|---|---|---|---|---|---|---|---|---|---|---|\n");

  int production = 0, inTimeBand = 0, inSpeedBand = 0;
  int beatsSlowest[2] = {0, 0}, beatsFastest[2] = {0, 0};
  for (size_t index = 0; index < cars.size(); ++index) {
    const CarSpec& car = cars[index];
    const TachoScaleRow& tacho = TachoScaleFor(car);
    RunResult runs[2];
    DriverPlan plans[2];
    for (int course = 0; course < 2; ++course) {
      plans[course] = BestLaunch(car, tacho, kCourseLengths[course], clutchFrames,
                                 reactionFrames, runs[course]);
    }
    const char* layout = car.drive_layout >= 0 && car.drive_layout < 4
                             ? kLayoutNames[car.drive_layout] : "?";
    std::printf("| %zu | %d | %s | %s | %d | %d", index, car.id, SingleByteShiftJisToUtf8(car.name, sizeof car.name).c_str(),
                layout, plans[0].gear_count, plans[0].launch_rpm);
    for (int course = 0; course < 2; ++course) {
      const RunResult& r = runs[course];
      if (r.finished) {
        std::printf(" | %.3f | %.1f | %.1f", r.time_ms * 0.001, r.finish_speed_kmh,
                    r.top_speed_kmh);
      } else {
        std::printf(" | %s | - | -", r.false_start ? "false start" : "did not finish");
      }
      if (r.lever_missed) std::printf(" (lever missed a gear)");
    }
    std::printf(" |\n");

    if (car.selectable != 1) continue;
    ++production;
    const double t400 = runs[0].time_ms * 0.001;
    if (runs[0].finished && t400 >= 12.0 && t400 <= 15.0) ++inTimeBand;
    if (runs[0].finished && runs[0].finish_speed_kmh >= 150.0 &&
        runs[0].finish_speed_kmh <= 185.0) {
      ++inSpeedBand;
    }
    for (int course = 0; course < 2; ++course) {
      if (!runs[course].finished) continue;
      const double t = runs[course].time_ms * 0.001;
      if (t < kDefaultSlowest[course]) ++beatsSlowest[course];
      if (t < kDefaultFastest[course]) ++beatsFastest[course];
    }
  }

  std::printf("\nSelectable cars: %d. 400 m in 12-15 s: %d; 150-185 km/h at 400 m: %d.\n",
              production, inTimeBand, inSpeedBand);
  for (int course = 0; course < 2; ++course) {
    std::printf("%.0f m: %d beat the slowest default time (%.1f s), %d the fastest (%.1f s).\n",
                kCourseLengths[course], beatsSlowest[course], kDefaultSlowest[course],
                beatsFastest[course], kDefaultFastest[course]);
  }
  return 0;
}
