#include "race/race_clock.h"

#include <cmath>

namespace {
constexpr double kKmhToMs = 0.2777777777777778;  // 1 / 3.6
constexpr int32_t kDefaultPhysicsRate = 60;     // steps per second
}  // namespace

double DistanceStep(double speedKmh, int32_t physicsRate) {
  const double rate = physicsRate > 0 ? physicsRate : kDefaultPhysicsRate;
  return speedKmh * kKmhToMs / rate;
}

void AdvanceDistance(RaceState& race, int32_t physicsRate) {
  const double step = DistanceStep(race.speed, physicsRate);
  race.distance = static_cast<float>(race.distance + step);
  race.camera_at.z = static_cast<float>(race.camera_at.z + step);
}

uint32_t CrossingTimeMs(uint32_t raceTimeMs, float distance, float courseLength,
                        double speedKmh) {
  if (raceTimeMs >= kRaceTimeCapMs) return raceTimeMs;
  if (!(speedKmh > 0.0)) return raceTimeMs;
  const double overshoot = static_cast<double>(distance) - courseLength;  // m past the line
  const double correction = std::trunc(overshoot / (speedKmh * kKmhToMs) * -1000.0);  // ms
  if (!(correction <= 0.0)) return raceTimeMs;  // not past the line: nothing to take back
  if (-correction >= raceTimeMs) return 0;
  return raceTimeMs - static_cast<uint32_t>(-correction);
}
