// Engine torque from a car's torque curve, and the peak power and torque the car select
// screen prints. Portable: no Windows header.
#pragma once

#include <cstdint>

constexpr int kTorqueCurvePoints = 40;
constexpr int kTorqueCurveStepRpm = 500;  // rpm between two curve points
// Interpolation and index factor, 1 / 500 rpm. One factor for the race and the car select
// screen alike: the single-precision 0.002 widened to double (0.0020000000949949026), not
// the double 0.002, so the torque the race drives with is the torque the graph shows.
constexpr float kTorqueCurveStepFactor = 0.002f;
// kgf·m × rpm → ps: 2π / 60 / 75.
constexpr double kPsPerKgfmRpm = 0.0013962634015954637;

// Torque `remainder` rpm past the curve point `low`, on the way to the next point `high`.
inline double InterpolateTorque(double low, double high, double remainder) {
  return low + (high - low) * remainder * static_cast<double>(kTorqueCurveStepFactor);
}

// Torque in kgf·m at an integer engine speed, interpolated between the two points around it.
// Speeds below 0 read the first point and speeds at or past the last point read the last
// one, so no engine speed reads outside the 40 points.
double TorqueAt(const double curve[kTorqueCurvePoints], int32_t rpm);

// Peak power (ps) and peak torque (kgf·m) with the engine speeds they occur at, sampled at
// fromRpm, fromRpm + stepRpm, ... while below toRpm. Ties keep the lower rpm. With nothing
// to sample (fromRpm >= toRpm, or stepRpm <= 0) all four outputs are 0.
void ScanTorqueCurve(const double curve[kTorqueCurvePoints], float& peakPower,
                     int32_t& peakPowerRpm, float& peakTorque, int32_t& peakTorqueRpm,
                     int32_t fromRpm, int32_t toRpm, int32_t stepRpm);
