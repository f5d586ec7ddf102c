// The engine heard through DirectSound: one looping buffer for the race, filled a little ahead
// of the play cursor every frame, on the game's one thread (no audio thread, no callback).
// Without a sound device nothing is made and nothing happens.
#pragma once

#include <cstdint>

#include "data/car_record.h"
#include "race/car_physics.h"
#include "race/race_state.h"

// Makes the race's buffer on the sound device, silent and stopped, with the car's voice.
void OpenEngineSound(const CarSpec& car);

// One frame: reads the engine from the race after its step and, while `engine_sound` is on,
// plays it; while off, the buffer is stopped.
void FeedEngineSound(const RaceState& race, const CarModelState& model, const uint8_t* keys);

// Stops and releases the buffer.
void CloseEngineSound();

// Waits, at shut-down, until the device has stopped its stream after the engine last played.
// Wine's DirectMusic keeps references to the DirectSound object it was given, so releasing the
// sound does not end the device: a process that ended while the device still played its last
// mixed sound was seen to crash on its way out (4 runs in 8; none with this wait).
void SettleEngineSound();

// For tests: whether the buffer exists and whether it plays.
bool HasEngineSound();
bool EngineSoundPlays();
