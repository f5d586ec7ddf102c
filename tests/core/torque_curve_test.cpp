// Torque lookup and the scan for peak power and torque.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <tuple>

#include "data/torque_curve.h"

namespace {

struct Peaks {
  float power = -1, torque = -1;
  int32_t power_rpm = -1, torque_rpm = -1;
};

Peaks Scan(const double* curve, int32_t from, int32_t to, int32_t step) {
  Peaks p;
  ScanTorqueCurve(curve, p.power, p.power_rpm, p.torque, p.torque_rpm, from, to, step);
  return p;
}

}  // namespace

TEST(TorqueAt, ExactPointsAndTheSinglePrecisionStep) {
  double curve[40] = {};
  for (int i = 0; i < 40; ++i) curve[i] = 10.0 + i * 3.25;
  for (int i = 0; i < 39; ++i) EXPECT_EQ(TorqueAt(curve, i * 500), curve[i]) << i;

  // 499 rpm past a point is 0.998 of the way, with the factor 0.002 taken in single
  // precision (0.0020000000949949026), not 1/500.
  const double step_factor = 0.0020000000949949026;
  EXPECT_EQ(TorqueAt(curve, 3999), curve[7] + (curve[8] - curve[7]) * 499 * step_factor);

  // Falling segments interpolate downward.
  const double falling[40] = {0, 40, 20};
  EXPECT_NEAR(TorqueAt(falling, 750), 30.0, 1e-6);
}

TEST(TorqueAt, SpeedsOutsideTheCurveReadItsEnds) {
  double curve[40];
  for (int i = 0; i < 40; ++i) curve[i] = 100.0 + i;
  EXPECT_EQ(TorqueAt(curve, -1), 100.0);
  EXPECT_EQ(TorqueAt(curve, 1), 100.0 + 1 * 0.0020000000949949026);
  EXPECT_EQ(TorqueAt(curve, std::numeric_limits<int32_t>::min()), 100.0);
  EXPECT_EQ(TorqueAt(curve, 19500), 139.0);
  EXPECT_EQ(TorqueAt(curve, std::numeric_limits<int32_t>::max()), 139.0);
  EXPECT_NEAR(TorqueAt(curve, 19499), 138.0 + 0.998, 1e-6);
}

TEST(ScanTorqueCurve, PlateauKeepsItsLowestRpmEvenWhenNotExactInSinglePrecision) {
  double curve[40] = {0, 10, 20, 30.1, 30.1, 30.1, 20, 10};  // 30.1 has no exact float
  const Peaks p = Scan(curve, 1000, 4000, 100);
  EXPECT_EQ(p.torque_rpm, 1500);
  EXPECT_EQ(p.torque, 30.1f);
  // Power ties too: 30 kgf·m at 1000 rpm is exactly the power of 20 at 1500.
  const double tie[40] = {0, 0, 30, 20};
  EXPECT_EQ(Scan(tie, 1000, 2000, 500).power_rpm, 1000);
  EXPECT_EQ(Scan(curve, 1499, 1501, 1).torque_rpm, 1500) << "a step of 1 rpm samples too";
}

TEST(ScanTorqueCurve, NothingToSampleGivesZeros) {
  double curve[40] = {0, 50, 50, 50};
  for (const auto& range : {std::array<int32_t, 3>{2000, 2000, 100},
                            std::array<int32_t, 3>{3000, 2000, 100},
                            std::array<int32_t, 3>{500, 2000, 0},
                            std::array<int32_t, 3>{500, 2000, -100}}) {
    const Peaks p = Scan(curve, range[0], range[1], range[2]);
    EXPECT_EQ(std::tuple(p.power, p.power_rpm, p.torque, p.torque_rpm),
              std::tuple(0.0f, 0, 0.0f, 0));
  }
}

TEST(ScanTorqueCurve, TheCarSelectRangeReadsNoPointPast29) {
  double curve[40];
  for (int i = 0; i < 40; ++i) curve[i] = i < 30 ? 10.0 + i : std::nan("");
  const Peaks p = Scan(curve, 2000, 14500, 100);
  EXPECT_TRUE(std::isfinite(p.power));
  EXPECT_EQ(p.torque_rpm, 14400);
  EXPECT_NEAR(p.torque, 38.8, 1e-5);
}
