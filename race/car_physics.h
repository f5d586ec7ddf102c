// The car model: one straight-line car driven through a clutch, an H-pattern gear lever and
// a final drive into tyres with a load-dependent traction limit. One call is one fixed step
// of 1 / physics rate seconds, however long the frame really took.
//
// Units as the race keeps them: speed km/h, engine speed rpm, torque kgf·m, load kg (used as
// kgf), forces kgf unless newtons are said, acceleration km/h per second.
#pragma once

#include <cstdint>

#include "data/car_record.h"
#include "race/race_state.h"

// Input bits of a step.
constexpr uint32_t THROTTLE = 0x01;  // left Alt held
constexpr uint32_t CLUTCH = 0x10;    // left Ctrl held: engine disconnected

// DirectInput key codes the race reads (named apart from dinput.h's macros).
constexpr int kKeyCodeLeftAlt = 0x38;
constexpr int kKeyCodeLeftCtrl = 0x1D;
constexpr int kKeyCodeUp = 0xC8;
constexpr int kKeyCodeDown = 0xD0;
constexpr int kKeyCodeLeft = 0xCB;
constexpr int kKeyCodeRight = 0xCD;

// What the model carries from one step to the next. Not reset between races: only the first
// engaged step of a race sees a traction limit left over from an earlier step.
struct CarModelState {
  double traction_limit = 1.0;   // N
  int32_t limiter_active = 0;    // 1 while the rev limiter cuts the throttle
  uint32_t limiter_time_ms = 0;  // ReadTimer() when the current cut began
};

// Moves the lever on arrow keys pressed this frame (bit 7 set in `keys`, clear in
// `previousKeys`; both 256 bytes), only while left Ctrl is held: up and down one row unless
// the target cell is blocked (-1.0), sideways one column only from a neutral (0.0) cell.
void MoveGearLever(const CarSpec& car, RaceState& race, const uint8_t* keys,
                   const uint8_t* previousKeys);

// One step of the car model: updates speed, engine_rpm and view_pitch of `race` and the
// carried state. `nowMs` is ReadTimer() for the rev limiter.
void StepCarPhysics(const CarSpec& car, const TachoScaleRow& tacho, CarModelState& model,
                    RaceState& race, uint32_t bits, uint32_t nowMs, int32_t physicsRate);

// The drive force in whole kgf that the acceleration uses: the net force cut toward zero, as
// long as its magnitude stays below the whole-newton traction limit; from there on it is held
// at one less than that limit, with the sign of the net force.
double WholeDriveForce(double netKgf, double tractionLimitN);

// Torque in kgf·m with the throttle open, between curve points `index` and `index` + 1 at the
// engine speed `rpm` (its whole part past the lower point).
double ThrottleTorque(const CarSpec& car, int index, double rpm);

// Whether a gear gate cell is a blocked slot: exactly -1.0 (high word 0xBFF00000, low word 0).
bool IsBlockedGearCell(double cell);

// --- The game's own car model, on its globals -------------------------------------------
extern CarModelState car_model_state;

// On current_car and race_state.
void MoveGearLever(const uint8_t* keys, const uint8_t* previousKeys);
// On current_car, its TachoScale row, race_state, ReadTimer() and physics_rate.
void StepCarPhysics(uint32_t bits);
