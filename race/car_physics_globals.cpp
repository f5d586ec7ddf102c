// The car model on the game's globals: the selected car, the one race, the frame clock.
#include "app/frame_timer.h"
#include "data/car_table.h"
#include "race/car_physics.h"

CarModelState car_model_state;

void MoveGearLever(const uint8_t* keys, const uint8_t* previousKeys) {
  MoveGearLever(current_car, race_state, keys, previousKeys);
}

void StepCarPhysics(uint32_t bits) {
  StepCarPhysics(current_car, TachoScaleFor(current_car), car_model_state, race_state, bits,
                 ReadTimer(), physics_rate);
}
