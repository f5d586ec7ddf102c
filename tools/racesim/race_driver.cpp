#include "tools/racesim/race_driver.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "data/torque_curve.h"
#include "race/race_clock.h"

namespace {

constexpr double kWheelSpeedFactor = 37.69911184307752;  // 12π: rpm x radius -> km/h x 100
constexpr int32_t kPhysicsRate = 60;                      // steps (frames) per second
constexpr double kShiftSearchStepKmh = 0.1;
constexpr double kLimiterMargin = 0.995;  // shift this close to the limiter, not on it
constexpr uint32_t kClockOriginMs = 1000000;  // where the simulated ReadTimer() starts
constexpr int32_t kLaunchSearchFromRpm = 1500;
constexpr int32_t kLaunchSearchStepRpm = 500;

// The lever's own test order within a frame: Up, Down, Right, Left.
int LeverKeyOrder(int key) {
  switch (key) {
    case kKeyCodeUp: return 0;
    case kKeyCodeDown: return 1;
    case kKeyCodeRight: return 2;
    default: return 3;
  }
}

bool Contains(const KeyFrame& frame, int key) {
  return std::find(frame.begin(), frame.end(), key) != frame.end();
}

double GearRatio(const CarSpec& car, const GateSlot& slot) {
  return static_cast<double>(car.final_drive) * car.gear_gate[slot.row][slot.column];
}

double EngineRpmAt(const CarSpec& car, const GateSlot& slot, double speedKmh) {
  return GearRatio(car, slot) * speedKmh * 100.0 / (car.tyre_radius * kWheelSpeedFactor);
}

double RoundToTenth(double kmh) { return std::floor(kmh * 10.0 + 0.5) * 0.1; }

// Peak-torque engine speed, rpm, below the rev limit.
int32_t PeakTorqueRpm(const CarSpec& car, int32_t revLimit) {
  double curve[kTorqueCurvePoints];
  std::memcpy(curve, car.torque_curve, sizeof curve);
  int32_t best = 0;
  double bestTorque = -1.0;
  for (int32_t rpm = 0; rpm <= revLimit && rpm < 19500; rpm += 50) {
    const double t = TorqueAt(curve, rpm);
    if (t > bestTorque) {
      bestTorque = t;
      best = rpm;
    }
  }
  return best;
}

}  // namespace

int ForwardGears(const CarSpec& car, GateSlot (&gears)[kMaxForwardGears]) {
  int count = 0;
  for (int g = 0; g < kMaxForwardGears; ++g) {
    const GateSlot slot = {g % 2 == 0 ? 0 : 2, g / 2};
    if (!(car.gear_gate[slot.row][slot.column] > 0.0)) break;
    gears[count++] = slot;
  }
  return count;
}

double WheelForceKgf(const CarSpec& car, const GateSlot& slot, double speedKmh,
                     int32_t revLimit) {
  const double rpm = EngineRpmAt(car, slot, speedKmh);
  if (rpm > revLimit) return 0.0;
  // An aligned copy: CarSpec is packed to 4 bytes, TorqueAt takes a plain double pointer.
  double curve[kTorqueCurvePoints];
  std::memcpy(curve, car.torque_curve, sizeof curve);
  const double torque = TorqueAt(curve, static_cast<int32_t>(rpm + 0.5));
  return torque * GearRatio(car, slot) / car.tyre_radius;
}

double BestShiftSpeed(const CarSpec& car, const GateSlot& gear, const GateSlot& next,
                      int32_t revLimit) {
  const double perRpm = EngineRpmAt(car, gear, 1.0);  // rpm per km/h in this gear
  const double limitKmh = revLimit / perRpm;
  const double fromKmh = PeakTorqueRpm(car, revLimit) / perRpm;
  for (double v = fromKmh; v < limitKmh; v += kShiftSearchStepKmh) {
    if (WheelForceKgf(car, next, v, revLimit) >= WheelForceKgf(car, gear, v, revLimit)) return v;
  }
  return limitKmh * kLimiterMargin;
}

std::vector<KeyFrame> LeverPath(const GateSlot& from, const GateSlot& to) {
  std::vector<int> moves;
  int row = from.row;
  if (from.column != to.column) {
    // Sideways only through the neutral row.
    while (row < 1) { moves.push_back(kKeyCodeDown); ++row; }
    while (row > 1) { moves.push_back(kKeyCodeUp); --row; }
    for (int c = from.column; c < to.column; ++c) moves.push_back(kKeyCodeRight);
    for (int c = from.column; c > to.column; --c) moves.push_back(kKeyCodeLeft);
  }
  while (row < to.row) { moves.push_back(kKeyCodeDown); ++row; }
  while (row > to.row) { moves.push_back(kKeyCodeUp); --row; }

  std::vector<KeyFrame> frames;
  KeyFrame current;
  for (int key : moves) {
    if (!current.empty() && LeverKeyOrder(key) > LeverKeyOrder(current.back()) &&
        !Contains(current, key)) {
      current.push_back(key);
      continue;
    }
    if (!current.empty()) {
      frames.push_back(current);
      // The same key again needs a frame with it up in between to count as a new press.
      if (Contains(current, key)) frames.push_back(KeyFrame());
    }
    current = KeyFrame{key};
  }
  if (!current.empty()) frames.push_back(current);
  return frames;
}

DriverPlan PlanDriver(const CarSpec& car, const TachoScaleRow& tacho, int32_t launchRpm,
                      int clutchFrames, int reactionFrames) {
  DriverPlan plan;
  plan.gear_count = ForwardGears(car, plan.gears);
  for (int g = 0; g + 1 < plan.gear_count; ++g) {
    plan.shift_speed_kmh[g] = BestShiftSpeed(car, plan.gears[g], plan.gears[g + 1], tacho.rev_limit);
  }
  plan.launch_rpm = launchRpm;
  plan.clutch_frames = clutchFrames;
  plan.reaction_frames = reactionFrames;
  return plan;
}

RunResult SimulateRun(const CarSpec& car, const TachoScaleRow& tacho, const DriverPlan& plan,
                      float courseLength, int waitFrames, std::FILE* trace,
                      FrameObserver observer, void* context) {
  RunResult result;
  if (plan.gear_count == 0) return result;

  RaceState race;
  SetRaceStartValues(race);
  CarModelState model;  // as at program start

  enum class Phase { kWaiting, kDriving, kShifting } phase = Phase::kWaiting;
  // Into first gear while the signal counts down, from the first frame on.
  std::vector<KeyFrame> path = LeverPath(GateSlot{1, 1}, plan.gears[0]);
  int pathFrame = -1;
  int shiftLength = 0;
  int gear = 0;
  const int goFrame = waitFrames;
  const int launchFrame = goFrame + plan.reaction_frames;
  uint32_t goTimeMs = 0;

  uint8_t keys[256] = {};
  uint8_t previousKeys[256] = {};
  for (int frame = 0;; ++frame) {
    const uint32_t now =
        kClockOriginMs + static_cast<uint32_t>(static_cast<int64_t>(frame) * 1000 / kPhysicsRate);
    if (frame < goFrame && race.distance > 0.0f) {
      result.false_start = true;
      return result;
    }

    if (phase == Phase::kWaiting && frame >= launchFrame) phase = Phase::kDriving;
    if (phase == Phase::kShifting && pathFrame >= shiftLength) {
      ++gear;
      ++result.shifts;
      if (race.gear_row != plan.gears[gear].row || race.gear_column != plan.gears[gear].column) {
        result.lever_missed = true;
      }
      phase = Phase::kDriving;
    }
    if (phase == Phase::kDriving && gear + 1 < plan.gear_count &&
        race.speed >= plan.shift_speed_kmh[gear]) {
      path = LeverPath(plan.gears[gear], plan.gears[gear + 1]);
      shiftLength = std::max(plan.clutch_frames, static_cast<int>(path.size()) + 1);
      pathFrame = 0;
      phase = Phase::kShifting;
    }

    std::memset(keys, 0, sizeof keys);
    bool clutch = true;
    bool throttle = false;
    if (phase == Phase::kWaiting) {
      throttle = race.engine_rpm < plan.launch_rpm;
      ++pathFrame;
    } else if (phase == Phase::kDriving) {
      clutch = false;
      throttle = true;
    }
    if (phase != Phase::kDriving) {
      if (pathFrame >= 0 && pathFrame < static_cast<int>(path.size())) {
        for (int key : path[pathFrame]) keys[key] = 0x80;
      }
      if (phase == Phase::kShifting) ++pathFrame;
    }
    if (clutch) keys[kKeyCodeLeftCtrl] = 0x80;
    if (throttle) keys[kKeyCodeLeftAlt] = 0x80;

    // As the race frame does: bits from the keys, the lever, then one step of the car.
    const uint32_t bits = ((keys[kKeyCodeLeftAlt] & 0x80) ? THROTTLE : 0) |
                          ((keys[kKeyCodeLeftCtrl] & 0x80) ? CLUTCH : 0);
    MoveGearLever(car, race, keys, previousKeys);
    StepCarPhysics(car, tacho, model, race, bits, now, kPhysicsRate);
    std::memcpy(previousKeys, keys, sizeof keys);

    if (frame == goFrame) goTimeMs = now;
    if (frame >= goFrame) race.race_time_ms = std::min(now - goTimeMs, kRaceTimeCapMs);
    AdvanceDistance(race, kPhysicsRate);
    race.top_speed = std::max(race.top_speed, race.speed);
    if (trace != nullptr) {
      std::fprintf(trace, "%d,%u,%d,%d,%d,%d,%d,%.1f,%.4f,%.3f,%.1f,%.3f\n", frame,
                   race.race_time_ms, static_cast<int>(phase), gear + 1, race.gear_row,
                   race.gear_column, static_cast<int>(bits), race.engine_rpm, race.speed,
                   race.distance, model.traction_limit, race.view_pitch);
    }
    if (observer != nullptr) observer(race, model, keys, context);

    if (race.distance >= courseLength) {
      result.finished = true;
      result.time_ms = CrossingTimeMs(race.race_time_ms, race.distance, courseLength, race.speed);
      result.top_speed_kmh = RoundToTenth(race.top_speed);
      result.finish_speed_kmh = RoundToTenth(race.speed);
      return result;
    }
    if (race.race_time_ms >= kRaceTimeCapMs) {
      result.time_ms = race.race_time_ms;
      result.top_speed_kmh = RoundToTenth(race.top_speed);
      return result;
    }
  }
}

DriverPlan BestLaunch(const CarSpec& car, const TachoScaleRow& tacho, float courseLength,
                      int clutchFrames, int reactionFrames, RunResult& result) {
  DriverPlan best;
  bool found = false;
  for (int32_t rpm = kLaunchSearchFromRpm; rpm <= tacho.rev_limit; rpm += kLaunchSearchStepRpm) {
    const DriverPlan plan = PlanDriver(car, tacho, rpm, clutchFrames, reactionFrames);
    const RunResult run = SimulateRun(car, tacho, plan, courseLength);
    const bool better = run.finished && !run.false_start &&
                        (!found || run.time_ms < result.time_ms);
    if (better || (!found && rpm == kLaunchSearchFromRpm)) {
      best = plan;
      result = run;
      found = run.finished && !run.false_start;
    }
  }
  return best;
}
