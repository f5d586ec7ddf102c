// The distance and finish-time arithmetic of a race frame, shared by the race and the race
// simulator so both measure a run the same way. Portable: no Windows header.
#pragma once

#include <cstdint>

#include "race/race_state.h"

constexpr uint32_t kRaceTimeCapMs = 99999;  // 99.999 s, the most the display shows

// Metres covered in one car-model step at `speedKmh`.
double DistanceStep(double speedKmh, int32_t physicsRate);

// Moves the car and the camera's look-at point on by one step at the current speed.
void AdvanceDistance(RaceState& race, int32_t physicsRate);

// The race time taken back to the moment the car crossed the line, assuming the speed of
// this frame throughout it. A capped time and a car that does not move are left as they
// are, and the result never goes below 0.
uint32_t CrossingTimeMs(uint32_t raceTimeMs, float distance, float courseLength,
                        double speedKmh);
