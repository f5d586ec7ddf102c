#include "race/race_flow.h"

#include <algorithm>
#include <cmath>

#include "app/scene_state.h"
#include "input/key_state.h"
#include "race/race_clock.h"
#include "race/race_results.h"
#include "race/time_slip.h"

namespace {

constexpr double kOpeningMoveRate = 0.0011111111111111111;  // 1 / 900 ms
constexpr float kSignalStartHeight = 2.0f;                  // m, above the road at the start
constexpr float kSignalHeight = 1.0f;                       // m, after the opening move
constexpr int kKeyCodeSpace = 0x39;

void SetSignalHeight(RaceState& race, float height) {
  for (D3DVECTOR& position : race.signal_positions) position.y = height;
}

uint16_t FrameRateRecord(int32_t frameRate) {
  return static_cast<uint16_t>(std::clamp<int32_t>(frameRate, 0, UINT16_MAX));
}

// The opening move, then the signal steps; a car that has moved before the go lamp is a
// false start. Times are compared as differences, so a timer that wraps around changes nothing.
void StepSignal(RaceState& race, uint32_t now, int32_t frameRate) {
  if (race.intro_progress <= 1.0f && !race.false_start) {
    SetSignalHeight(race, kSignalStartHeight - race.intro_progress);
    if (race.intro_start_ms == 0) race.intro_start_ms = now;
    race.intro_progress = static_cast<float>((now - race.intro_start_ms) * kOpeningMoveRate);
    return;
  }
  SetSignalHeight(race, kSignalHeight);
  if (race.signal_step == kSignalGoStep) return;
  if (race.distance > 0.0f) {
    if (!race.false_start) race.false_start_until_ms = now + kFalseStartHoldMs;
    race.signal_step = kSignalFalseStartStep;
    race.false_start = true;
    return;
  }
  // The first step comes as soon as the opening move is over, the others a little over a
  // second apart.
  if (race.signal_step == 0 || now - race.signal_tick_ms > kSignalStepMs) {
    race.signal_tick_ms = now;
    ++race.signal_step;
    if (race.signal_step == 3) race.fps_at_signal = FrameRateRecord(frameRate);
  }
}

bool FalseStartIsOver(const RaceState& race, uint32_t now) {
  return race.signal_step == kSignalFalseStartStep &&
         static_cast<int32_t>(now - race.false_start_until_ms) > 0;
}

// Throttle, clutch and lever; Space leaves the race. Only on a frame whose keys were read.
int32_t HandleKeys(RaceState& race, const RaceFrameInput& input, RaceWorld& world,
                   float courseLength) {
  if (race.distance < courseLength && race.signal_step != kSignalFalseStartStep) {
    uint32_t bits = 0;
    if (IsKeyHeld(input.keys, kKeyCodeLeftAlt)) bits |= THROTTLE;
    if (IsKeyHeld(input.keys, kKeyCodeLeftCtrl)) bits |= CLUTCH;
    MoveGearLever(world.car, race, input.keys, input.previous_keys);
    StepCarPhysics(world.car, world.tacho, world.model, race, bits, input.now_ms,
                   input.physics_rate);
  }
  // Held, not pressed: a player who keeps Space down restarts on every frame.
  if (!IsKeyHeld(input.keys, kKeyCodeSpace)) return kNoSceneRequest;
  if (race.time_rank != 0) {
    world.result_table = kTimeTable;
    return SCENE_RESULT_ENTER;
  }
  if (race.speed_rank != 0) {
    world.result_table = kSpeedTable;
    return SCENE_RESULT_ENTER;
  }
  return SCENE_RACE_RESET;
}

void StepClock(RaceState& race, uint32_t now, float courseLength) {
  if (race.signal_step != kSignalGoStep) return;
  if (race.go_time_ms == 0) race.go_time_ms = now;
  if (race.distance < courseLength) {
    race.race_time_ms = std::min(now - race.go_time_ms, kRaceTimeCapMs);
  }
}

double RoundToTenth(double kmh) { return std::floor(kmh * 10.0 + 0.5) * 0.1; }

void Finish(RaceState& race, const RaceFrameInput& input, RaceWorld& world,
            float courseLength) {
  race.race_time_ms = CrossingTimeMs(race.race_time_ms, race.distance, courseLength, race.speed);
  race.finished = true;
  // Never 0: a zero marks a default entry in the tables.
  race.fps_at_finish = std::max<uint16_t>(FrameRateRecord(input.frame_rate), 1);
  race.speed = RoundToTenth(race.speed);
  race.top_speed = RoundToTenth(race.top_speed);
  RecordRaceResult(race, world.records, CourseIndex(input.race_mode), world.car);
}

}  // namespace

int CourseIndex(uint8_t raceMode) { return raceMode == 1 ? 1 : 0; }

int32_t StepRaceFlow(RaceState& race, const RaceFrameInput& input, RaceWorld& world) {
  const float courseLength = CourseLength[CourseIndex(input.race_mode)];
  const uint32_t now = input.now_ms;
  int32_t next = kNoSceneRequest;

  StepSignal(race, now, input.frame_rate);
  if (FalseStartIsOver(race, now)) next = SCENE_RACE_RESET;
  if (input.keys_read) {
    const int32_t asked = HandleKeys(race, input, world, courseLength);
    if (asked != kNoSceneRequest) next = asked;
  }
  StepClock(race, now, courseLength);
  AdvanceDistance(race, input.physics_rate);
  race.top_speed = std::max(race.top_speed, race.speed);
  if (!race.finished && race.distance >= courseLength) Finish(race, input, world, courseLength);
  NoteTimeSlip(race, now, courseLength);
  return next;
}
