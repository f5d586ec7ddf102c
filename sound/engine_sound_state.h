// What the engine sound hears of a race frame: read from the race and the car model after
// their step, never fed back into them. Portable: no Windows header.
#pragma once

#include <cstdint>

#include "data/car_record.h"
#include "race/car_physics.h"
#include "race/race_state.h"
#include "sound/engine_voice.h"

// How fast the engine is heard settling to its idle once the car model has stopped (after the
// finish or a false start), rpm per second.
constexpr float kSettleRpmPerSecond = 3000.0f;

// The engine of this frame: its speed, the player's throttle (left Alt in `keys`), whether it
// is disconnected (left Ctrl, or the lever in a neutral cell), whether the rev limiter cuts
// the throttle, and the driven wheels' slip against the road speed. Once the car model no
// longer runs, the engine is heard settling from `before` to its idle at frameRate frames a
// second with the throttle shut.
EngineSoundState ReadEngineSoundState(const CarSpec& car, const TachoScaleRow& tacho,
                                      const RaceState& race, const CarModelState& model,
                                      const uint8_t* keys, const EngineSoundState& before,
                                      int32_t frameRate);
