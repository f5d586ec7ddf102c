#include "sound/engine_sound_state.h"

#include <algorithm>
#include <cmath>

#include "input/key_state.h"
#include "race/race_flow.h"

namespace {
constexpr double kWheelSpeedFactor = 37.69911184307752;  // 12π: rpm x radius -> km/h x 100

double GearCell(const CarSpec& car, int32_t row, int32_t column) {
  if (row < 0 || row > 2 || column < 0 || column > 2) return 0.0;
  return car.gear_gate[row][column];
}
}  // namespace

EngineSoundState ReadEngineSoundState(const CarSpec& car, const TachoScaleRow& tacho,
                                      const RaceState& race, const CarModelState& model,
                                      const uint8_t* keys, const EngineSoundState& before,
                                      int32_t frameRate) {
  EngineSoundState state;
  if (race.finished || race.signal_step == kSignalFalseStartStep) {
    // The car model stands still from here on: the engine is let down to its idle.
    const float step = kSettleRpmPerSecond / static_cast<float>(std::max(frameRate, 1));
    const float idle = static_cast<float>(car.idle_rpm);
    state.rpm = before.rpm > idle ? std::max(idle, before.rpm - step) : idle;
    state.disengaged = true;
    return state;
  }
  state.rpm = race.engine_rpm;
  state.throttle = IsKeyHeld(keys, kKeyCodeLeftAlt);
  const double gear = GearCell(car, race.gear_row, race.gear_column);
  state.disengaged = IsKeyHeld(keys, kKeyCodeLeftCtrl) || gear == 0.0;
  state.limiter_cut =
      state.throttle && (model.limiter_active == 1 || race.engine_rpm > tacho.rev_limit);
  if (!state.disengaged) {
    // The road speed the engine speed would give without slip, against the real one.
    const double ratio = static_cast<double>(car.final_drive) * gear;
    const double engineSpeed = car.tyre_radius * race.engine_rpm * kWheelSpeedFactor / (ratio * 100.0);
    if (engineSpeed > 0.0 && std::isfinite(engineSpeed)) {
      state.wheel_slip = static_cast<float>(std::clamp((engineSpeed - race.speed) / engineSpeed, 0.0, 1.0));
    }
  }
  return state;
}
