#include "data/torque_curve.h"

#include <cstring>

namespace {

// Curves usually come straight from a 4-byte-packed CarSpec, where the doubles need not be
// 8-byte aligned; a byte copy reads them soundly wherever they sit.
double Point(const double curve[kTorqueCurvePoints], int32_t i) {
  double value;
  std::memcpy(&value, reinterpret_cast<const unsigned char*>(curve) + i * sizeof(double),
              sizeof value);
  return value;
}

}  // namespace

double TorqueAt(const double curve[kTorqueCurvePoints], int32_t rpm) {
  if (rpm <= 0) return Point(curve, 0);
  const int32_t i = rpm / kTorqueCurveStepRpm;
  if (i >= kTorqueCurvePoints - 1) return Point(curve, kTorqueCurvePoints - 1);
  const int32_t r = rpm % kTorqueCurveStepRpm;
  const double low = Point(curve, i);
  const double high = Point(curve, i + 1);
  return InterpolateTorque(low, high, r);
}

void ScanTorqueCurve(const double curve[kTorqueCurvePoints], float& peakPower,
                     int32_t& peakPowerRpm, float& peakTorque, int32_t& peakTorqueRpm,
                     int32_t fromRpm, int32_t toRpm, int32_t stepRpm) {
  // The comparisons run on the unrounded values: comparing a plateau's double against its
  // own single-precision copy could move a tie to the higher rpm.
  double best_power = 0.0;    // ps
  double best_torque = 0.0;   // kgf·m
  int32_t best_power_rpm = 0;
  int32_t best_torque_rpm = 0;
  if (stepRpm > 0) {
    for (int64_t rpm = fromRpm; rpm < toRpm; rpm += stepRpm) {
      const int32_t at = static_cast<int32_t>(rpm);
      const double torque = TorqueAt(curve, at);
      if (torque > best_torque) {
        best_torque = torque;
        best_torque_rpm = at;
      }
      const double power = torque * at * kPsPerKgfmRpm;
      if (power > best_power) {
        best_power = power;
        best_power_rpm = at;
      }
    }
  }
  peakPower = static_cast<float>(best_power);
  peakPowerRpm = best_power_rpm;
  peakTorque = static_cast<float>(best_torque);
  peakTorqueRpm = best_torque_rpm;
}
