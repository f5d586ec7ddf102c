// What happens on one race frame: the opening camera move, the start signal and the false
// start, the controls, the car model, the clock, the distance and the finish. Given the time
// and the keys of the frame it updates the race and answers which scene comes next.
// Portable: no Windows header.
#pragma once

#include <cstdint>

#include "data/car_record.h"
#include "data/record_data.h"
#include "race/car_physics.h"
#include "race/race_state.h"

// The answer of a frame that asks for no other scene.
constexpr int32_t kNoSceneRequest = -1;

constexpr uint32_t kOpeningMoveMs = 900;    // the signal sinks from 2 m to 1 m
constexpr uint32_t kSignalStepMs = 1000;    // a little over this between two signal steps
constexpr uint32_t kFalseStartHoldMs = 1000;  // from the false start to the restart
constexpr int32_t kSignalGoStep = 5;
constexpr int32_t kSignalFalseStartStep = 6;

// What the frame knows from outside the race.
struct RaceFrameInput {
  uint32_t now_ms;               // ReadTimer()
  bool keys_read;                // the keyboard was read this frame; else no key is handled
  const uint8_t* keys;           // 256 bytes, this frame
  const uint8_t* previous_keys;  // 256 bytes, at the last handled frame
  int32_t frame_rate;
  int32_t physics_rate;
  uint8_t race_mode;             // 0 = 400 m, 1 = 1000 m
};

// What the race works on besides its own state.
struct RaceWorld {
  const CarSpec& car;
  const TachoScaleRow& tacho;
  CarModelState& model;
  RecordData& records;   // the finished run is ranked here
  int32_t& result_table; // set when the record screen is asked for
};

// The course a race mode selects; anything but 1 is the 400 m course.
int CourseIndex(uint8_t raceMode);

// Runs one frame on `race` and returns the scene to go to (SCENE_RACE_RESET or
// SCENE_RESULT_ENTER), or kNoSceneRequest. Does not copy the keys into the previous keys:
// the caller does that after a frame whose keys were read.
int32_t StepRaceFlow(RaceState& race, const RaceFrameInput& input, RaceWorld& world);
