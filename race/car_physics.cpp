#include "race/car_physics.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "data/torque_curve.h"

namespace {

constexpr double kKmhToMs = 0.2777777777777778;       // 1 / 3.6
constexpr double kAeroLoadFactor = 0.0625;
constexpr double kLoadAllowanceKg = 160.0;             // driver and fuel on top of `mass`
// The curve index and the interpolation both use the single-precision 1/500.
constexpr double kTorqueIndexFactor = static_cast<double>(kTorqueCurveStepFactor);
constexpr int kTorqueStepRpm = 500;
// The lookup reads the point and the one after it.
constexpr int kLastTorqueIndex =
    static_cast<int>(sizeof(CarSpec::torque_curve) / sizeof(double)) - 2;
constexpr double kClosedThrottleExponent = 0.8;
constexpr double kClosedThrottleFactor = 0.065;
constexpr double kFreeRevFactor = 0.125;
constexpr double kClosedThrottleDriveFactor = 1.5;
constexpr double kDrivelineEfficiency = 0.9;
constexpr double kEngagedDragFactor = 0.075;
constexpr double kCoastingDragFactor = 0.125;
constexpr double kGravity = 9.8;                       // m/s², also kgf -> N
constexpr double kRotatingMassKg = 1.0;
constexpr double kRotatingMassPerRatio = 0.154;
constexpr double kWheelSpeedFactor = 37.69911184307752;  // 12π: rpm x radius -> km/h x 100
constexpr double kKmhPerMsPerSecond = 3.6;
constexpr double kSlipGripLoss = 0.2;
constexpr double kSlipThreshold = 0.0001;
constexpr double kGripLossBase = 1.125;
constexpr double kGripLossPerSlip = 0.625;
constexpr double kTractionFloorN = 1.0;
constexpr double kTractionMargin = 1.2;
constexpr double kRevRiseOverLimit = 0.011111111111111112;  // 1 / 90
constexpr double kRevRiseUnderLimit = 0.04;
constexpr double kMaxRevDropPerStep = 1000.0;          // rpm
constexpr double kStallNudgeKmh = 1.0;
constexpr double kPitchPerTransferAccelerating = 0.000196078431372549;  // 1 / 5100
constexpr double kPitchPerTransferBraking = 0.0001633986928104575;      // 1 / 6120
constexpr double kPitchLimit = 0.2;
constexpr double kPitchRest = 0.5;
constexpr uint32_t kLimiterHoldMs = 30;
constexpr int32_t kDefaultPhysicsRate = 60;            // steps per second

constexpr uint64_t kBlockedCellBits = 0xBFF0000000000000ull;

// The gate cell under the lever; a position off the 3x3 gate drives nothing.
double GearCell(const CarSpec& car, int32_t row, int32_t column) {
  if (row < 0 || row > 2 || column < 0 || column > 2) return 0.0;
  return car.gear_gate[row][column];
}

// Cut toward zero into a whole number, with NaN and out-of-range values pinned so the curve
// lookup below can never index outside the 40 points.
int64_t WholeRpm(double rpm) {
  if (!(rpm > 0.0)) return 0;
  if (rpm > 1.0e9) return 1000000000;
  return static_cast<int64_t>(rpm);
}

}  // namespace

// The curve is read through the record itself: CarSpec is packed to 4 bytes, so a plain
// double pointer into it would claim an alignment the doubles may not have.
double ThrottleTorque(const CarSpec& car, int index, double rpm) {
  const double low = car.torque_curve[index];
  const double high = car.torque_curve[index + 1];
  const double remainder = static_cast<double>(WholeRpm(rpm) % kTorqueStepRpm);
  return InterpolateTorque(low, high, remainder);
}

bool IsBlockedGearCell(double cell) {
  uint64_t bits;
  std::memcpy(&bits, &cell, sizeof bits);
  return bits == kBlockedCellBits;
}

double WholeDriveForce(double netKgf, double tractionLimitN) {
  const double force = std::trunc(netKgf);
  const double limit = std::trunc(tractionLimitN);
  if (std::fabs(force) < limit) return force;
  // Held just inside the limit rather than wrapping round to a small or reversed force.
  return std::copysign(limit - 1.0, netKgf);
}

void MoveGearLever(const CarSpec& car, RaceState& race, const uint8_t* keys,
                   const uint8_t* previousKeys) {
  // The clutch must be held to shift.
  if ((keys[kKeyCodeLeftCtrl] & 0x80) == 0) return;
  int32_t& row = race.gear_row;
  int32_t& column = race.gear_column;
  if (row < 0 || row > 2 || column < 0 || column > 2) return;

  auto pressed = [&](int code) {
    return (keys[code] & 0x80) != 0 && (previousKeys[code] & 0x80) == 0;
  };
  // Each test sees the lever where the ones before it left it.
  if (pressed(kKeyCodeUp) && row > 0 && !IsBlockedGearCell(car.gear_gate[row - 1][column])) {
    --row;
  }
  if (pressed(kKeyCodeDown) && row < 2 && !IsBlockedGearCell(car.gear_gate[row + 1][column])) {
    ++row;
  }
  if (pressed(kKeyCodeRight) && column < 2 && car.gear_gate[row][column] == 0.0) ++column;
  if (pressed(kKeyCodeLeft) && column > 0 && car.gear_gate[row][column] == 0.0) --column;
}

void StepCarPhysics(const CarSpec& car, const TachoScaleRow& tacho, CarModelState& model,
                    RaceState& race, uint32_t bits, uint32_t nowMs, int32_t physicsRate) {
  const double rate = physicsRate > 0 ? physicsRate : kDefaultPhysicsRate;
  const double v = race.speed;
  double n = race.engine_rpm;
  const double gear = GearCell(car, race.gear_row, race.gear_column);

  // Load: static mass plus the allowance plus downforce, kg.
  const double u = v * kKmhToMs;
  const double u2 = std::pow(u, 2.0);
  const double load = static_cast<double>(car.mass) + kLoadAllowanceKg +
                      static_cast<double>(car.frontal_area) * car.downforce_coef * u2 *
                          kAeroLoadFactor;

  // The curve point is taken from the engine speed the step starts with, even if the idle
  // hold below changes that speed.
  int index = static_cast<int>(WholeRpm(n * kTorqueIndexFactor));
  if (index > kLastTorqueIndex) index = kLastTorqueIndex;

  // A neutral cell disconnects the engine like the clutch.
  if (gear == 0.0) bits |= CLUTCH;

  // Idle hold: a disconnected engine below idle is given throttle; a stopped one is started.
  if ((bits & CLUTCH) != 0 && n < car.idle_rpm) {
    bits |= THROTTLE;
    if (n <= 0.0) {
      race.engine_rpm = static_cast<float>(car.idle_rpm);
      n = race.engine_rpm;
    }
  }

  // Rev limiter: over the limit the throttle is cut, and stays cut until more than 30 ms
  // have passed since the cut began. The age is taken as a difference so the hold also
  // ends when the millisecond clock wraps.
  if (n > tacho.rev_limit || model.limiter_active == 1) {
    bits &= CLUTCH;
    if (model.limiter_active == 0) {
      model.limiter_active = 1;
      model.limiter_time_ms = nowMs;
    }
  }
  if (nowMs - model.limiter_time_ms > kLimiterHoldMs) model.limiter_active = 0;

  double torque;  // kgf·m
  if ((bits & THROTTLE) != 0) {
    torque = ThrottleTorque(car, index, n);
  } else {
    // Engine braking, per step.
    torque = -(std::pow(2.0 * n, kClosedThrottleExponent) -
               static_cast<double>(car.engine_drag) * n * kClosedThrottleFactor) /
             rate;
  }

  const double ratio = static_cast<double>(car.final_drive) * gear;
  // Road speed the engine speed implies, km/h, and the wheel slip against it. With no such
  // speed (engine stopped, no ratio) the slip counts as below every threshold.
  const double engineRoadSpeed =
      static_cast<double>(car.tyre_radius) * n * kWheelSpeedFactor / (ratio * 100.0);
  double slip = -HUGE_VAL;
  if (engineRoadSpeed != 0.0 && std::isfinite(engineRoadSpeed)) {
    slip = (engineRoadSpeed - v) / engineRoadSpeed;
  }

  const double inertia = load + kRotatingMassKg + kRotatingMassPerRatio * gear;  // kg
  double accel = 0.0;  // km/h per second
  if ((bits & CLUTCH) != 0) {
    // The engine revs freely; the car coasts against drag and rolling resistance.
    race.engine_rpm = static_cast<float>(n + n * torque * kFreeRevFactor / rate);
    race.speed = v - kGravity *
                         (static_cast<double>(car.drag_coef) * car.frontal_area * u2 *
                              kCoastingDragFactor +
                          static_cast<double>(car.rolling_coef) * load) /
                         inertia / rate * kKmhPerMsPerSecond;
  } else {
    double drive = torque * ratio / car.tyre_radius;  // kgf
    if ((bits & THROTTLE) == 0) drive = kClosedThrottleDriveFactor * drive;
    const double net = kDrivelineEfficiency * drive -
                       (static_cast<double>(car.drag_coef) * car.frontal_area * u2 *
                            kEngagedDragFactor +
                        static_cast<double>(car.rolling_coef) * load);  // kgf
    const double netN = kGravity * net;

    if (slip > kSlipGripLoss) {
      model.traction_limit = model.traction_limit * (kGripLossBase - kGripLossPerSlip * slip);
    }
    // Written to catch NaN as well: a broken limit must not outlive the step.
    if (!(model.traction_limit >= kTractionFloorN)) model.traction_limit = kTractionFloorN;
    if (netN > model.traction_limit) slip = slip + kSlipThreshold;

    accel = WholeDriveForce(net, model.traction_limit) * kGravity / inertia * kKmhPerMsPerSecond;
    race.speed = v + accel / rate;

    double rpm;
    if (slip > kSlipThreshold) {
      // Wheelspin: the engine runs away from the road speed.
      if (netN > model.traction_limit) {
        rpm = n + (netN - model.traction_limit) * kRevRiseOverLimit;
      } else {
        rpm = n + (netN - model.traction_limit) * kRevRiseUnderLimit;
      }
    } else {
      rpm = ratio * race.speed * 100.0 / (static_cast<double>(car.tyre_radius) * kWheelSpeedFactor);
    }
    race.engine_rpm = static_cast<float>(rpm);

    // Stall guard: the engine may lose at most 1000 rpm a step; a car held at standstill by
    // it is nudged so the wheels can pull the engine round.
    if (n - race.engine_rpm > kMaxRevDropPerStep) {
      race.engine_rpm = static_cast<float>(n - kMaxRevDropPerStep);
      if (race.speed <= 0.0) race.speed = kStallNudgeKmh;
    }
  }

  const double revCeiling = static_cast<double>(tacho.rev_limit) + 1.0;
  if (race.engine_rpm > revCeiling) race.engine_rpm = static_cast<float>(revCeiling);
  // Written to catch NaN as well (only reachable through a broken car record).
  if (!(race.speed > 0.0) || std::isinf(race.speed)) race.speed = 0.0;
  if (!(race.engine_rpm > 0.0f)) race.engine_rpm = 0.0f;

  // Traction limit for the next step, from this step's longitudinal weight transfer, N.
  double transfer = accel * kKmhToMs * car.cg_height * load / car.wheelbase;
  // Only a record with no wheelbase gets here; it must not carry NaN into the next step.
  if (!std::isfinite(transfer)) transfer = 0.0;
  switch (car.drive_layout) {
    case 0:  // front drive: acceleration unloads the driven axle
      model.traction_limit =
          kTractionMargin *
          ((1.0 - static_cast<double>(car.rear_weight)) * car.grip * load * kGravity - transfer);
      break;
    case 3:  // four-wheel drive: all the weight, no transfer
      model.traction_limit = kTractionMargin * car.grip * load * kGravity;
      break;
    default:  // rear drive: acceleration loads the driven axle
      model.traction_limit =
          kTractionMargin *
          (static_cast<double>(car.grip) * car.rear_weight * load * kGravity + transfer);
      break;
  }

  // Camera pitch: hard acceleration lifts the look-at point, braking lowers it.
  double pitch;
  if (accel > 0.0) {
    pitch = transfer * kPitchPerTransferAccelerating;
    if (pitch > kPitchLimit) pitch = kPitchLimit;
  } else {
    pitch = transfer * kPitchPerTransferBraking;
    if (pitch < -kPitchLimit) pitch = -kPitchLimit;
  }
  race.view_pitch = static_cast<float>(pitch - kPitchRest);
}
