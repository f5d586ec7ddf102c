// The car model: one fixed step of speed, engine speed, traction and camera pitch.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "data/car_table.h"
#include "data/torque_curve.h"
#include "delivered_car_table.h"
#include "race/car_physics.h"
#include "test_cars.h"

namespace {

constexpr int kUpper = 0;

class CarModel : public ::testing::Test {
 protected:
  void SetUp() override {
    car_ = MakeRecord4();
    tacho_ = MakeTachoRow(10000);
    SetRaceStartValues(race_);
  }
  void Gear(int row, int column) {
    race_.gear_row = row;
    race_.gear_column = column;
  }
  // The upper row's `column` at `speed` km/h and `rpm`, with a traction limit carried in.
  void Start(int column, double speed, float rpm, double tractionLimit) {
    Gear(kUpper, column);
    race_.speed = speed;
    race_.engine_rpm = rpm;
    model_.traction_limit = tractionLimit;
  }
  void WorkedStart(double tractionLimit) { Start(0, 50.0, 5000.0f, tractionLimit); }
  void Step(uint32_t bits, uint32_t nowMs = 100000, int32_t rate = 60) {
    StepCarPhysics(car_, tacho_, model_, race_, bits, nowMs, rate);
  }
  // Load in kg at a road speed, from the published formula.
  double Load(double kmh) const {
    const double u = kmh / 3.6;
    return 1510.0 + 160.0 + static_cast<double>(car_.frontal_area) * car_.downforce_coef * u * u *
                                0.0625;
  }
  CarSpec car_;
  TachoScaleRow tacho_;
  CarModelState model_;
  RaceState race_;
};

}  // namespace

TEST_F(CarModel, IdleHoldStartsOnlyAStoppedDisconnectedEngine) {
  // Lever in neutral, engine stopped, nothing pressed: the idle hold starts the engine at
  // idle_rpm with the throttle open. The torque point is still the one of 0 rpm, so the
  // torque is 300/500 of the way from 0 to 15 kgf·m: 9.0, and the free engine gains
  // 800 x 9.0 x 0.125 / 60 = 15 rpm.
  const struct {
    const char* what;
    int column;  // upper row; 1 with the lever in the neutral row
    int row;
    uint32_t bits;
    float rpm, expected_rpm;
  } cases[] = {
      {"the first step after the reset", 1, 1, 0, 0.0f, 815.0f},
      {"in gear, clutch out: it stays stalled", 0, kUpper, 0, 0.0f, 0.0f},
      {"in fifth too", 2, kUpper, 0, 0.0f, 0.0f},
      {"a lever off the gate drives nothing", 0, 5, 0, 0.0f, 815.0f},
      {"still turning: the throttle alone, at the curve's first point", 1, 1, CLUTCH, 0.005f,
       0.005f},
  };
  for (const auto& c : cases) {
    SetUp();
    Gear(c.row, c.column);
    race_.engine_rpm = c.rpm;
    model_.traction_limit = 1.0;
    Step(c.bits);
    EXPECT_EQ(c.expected_rpm, race_.engine_rpm) << c.what;
    EXPECT_EQ(0.0, race_.speed) << c.what;
    EXPECT_EQ(-0.5f, race_.view_pitch) << c.what;
  }
}

// Also across the millisecond clock's wrap.
TEST_F(CarModel, RevLimiterCutsAboveTheLimitFor30Ms) {
  for (uint32_t origin : {1000u, 0xFFFFFFF0u}) {
    SetUp();
    // A flat curve so the throttle always adds revs and its cut always costs them.
    for (double& t : car_.torque_curve) t = 30.0;
    race_.engine_rpm = 10000.0f;
    Step(CLUTCH | THROTTLE, origin);
    EXPECT_EQ(0, model_.limiter_active) << "exactly at the limit is not over it";
    EXPECT_EQ(10001.0f, race_.engine_rpm) << "held at the limit + 1";

    Step(CLUTCH | THROTTLE, origin);
    EXPECT_EQ(1, model_.limiter_active);
    EXPECT_EQ(origin, model_.limiter_time_ms);
    float before = race_.engine_rpm;
    EXPECT_LT(before, 10001.0f);

    // Under the limit now, but the cut holds until more than 30 ms have passed.
    for (uint32_t ms : {16u, 30u, 31u}) {
      Step(CLUTCH | THROTTLE, origin + ms);
      EXPECT_LT(race_.engine_rpm, before) << "throttle still cut at " << ms << " from " << origin;
      before = race_.engine_rpm;
    }
    EXPECT_EQ(0, model_.limiter_active) << origin;
    Step(CLUTCH | THROTTLE, origin + 47);
    EXPECT_GT(race_.engine_rpm, before) << "throttle back from " << origin;
  }
}

TEST_F(CarModel, StallGuardLimitsTheDropAndNudgesAStandingCar) {
  // First gear at standstill, clutch out, no throttle, the engine far above the road speed
  // and a traction limit left from a heavy load: the wheels would drag the engine down by
  // more than 1000 rpm in one step.
  const auto coastInFirst = [this](double speed, double limit) {
    SetUp();
    Start(0, speed, 9000.0f, limit);
    Step(0);
  };
  coastInFirst(0.0, 50000.0);
  EXPECT_EQ(8000.0f, race_.engine_rpm);
  EXPECT_EQ(1.0, race_.speed);

  // The same drop while rolling: held to 1000 rpm, but no nudge.
  coastInFirst(5.0, 50000.0);
  EXPECT_EQ(8000.0f, race_.engine_rpm);
  EXPECT_GT(race_.speed, 4.5);
  EXPECT_LT(race_.speed, 5.0);

  // Throttle that just balances the rolling resistance (0.7 kgf·m all along the curve): the
  // car is held at exactly 0, which counts as standing too.
  SetUp();
  for (double& t : car_.torque_curve) t = 0.7;
  Start(0, 0.0, 9000.0f, 60000.0);
  Step(THROTTLE);
  EXPECT_EQ(8000.0f, race_.engine_rpm);
  EXPECT_EQ(1.0, race_.speed);
  // Creeping at 0.005 km/h is not standing: no nudge.
  Start(0, 0.005, 9000.0f, 60000.0);
  Step(THROTTLE);
  EXPECT_EQ(0.005, race_.speed);

  // A small drop is not the guard's business and gives no nudge: spinning under its limit
  // (1 N after the grip loss), the engine moves by (N - limit) × 0.04.
  coastInFirst(0.0, 1.0);
  const double braking = -(std::pow(18000.0, 0.8) - 3.0 * 9000.0 * 0.065) / 60.0;
  const double net = 0.9 * 1.5 * braking * (3.266f * 3.827) / 0.3179f - 0.015 * Load(0.0);
  EXPECT_NEAR(9000.0 + (9.8 * net - 1.0) * 0.04, race_.engine_rpm, 1e-2);
  EXPECT_EQ(0.0, race_.speed);
}

TEST_F(CarModel, ClutchHeldCoastsOnDragAndRollingOnly) {
  Start(1, 100.0, 6000.0f, 1.0);  // third gear, 1.685
  race_.view_pitch = -0.3f;
  Step(CLUTCH | THROTTLE);

  const double u = 100.0 / 3.6;
  const double load = Load(100.0);
  const double resistance = 0.31 * 1.961587 * u * u * 0.125 + 0.015 * load;  // kgf
  const double expected = 100.0 - 9.8 * resistance / (load + 1.0 + 0.154 * 1.685) / 60.0 * 3.6;
  EXPECT_NEAR(expected, race_.speed, 2e-6);
  EXPECT_EQ(-0.5f, race_.view_pitch);
  // No acceleration, so no weight transfer in the next limit.
  EXPECT_NEAR(1.2 * (1.0 * 0.47 * load * 9.8), model_.traction_limit, 1e-3);
}

TEST_F(CarModel, ClosedThrottleBrakesThroughTheGearsOneAndAHalfTimesOver) {
  // Third gear at 100 km/h, the engine turning with the wheels (no slip), the clutch out.
  const double ratio = 3.266f * 1.685, u = 100.0 / 3.6, load = Load(100.0);
  const float n = static_cast<float>(100.0 * ratio * 100.0 / (0.3179f * 37.69911184307752));
  Start(1, 100.0, n, 20000.0);
  Step(0);
  const double braking = -(std::pow(2.0 * n, 0.8) - 3.0 * n * 0.065) / 60.0;
  const double net = 0.9 * 1.5 * braking * ratio / 0.3179f -
                     (0.31 * 1.961587 * u * u * 0.075 + 0.015 * load);
  const double accel = std::trunc(net) * 9.8 / (load + 1.0 + 0.154 * 1.685) * 3.6;  // km/h/s
  EXPECT_NEAR(100.0 + accel / 60.0, race_.speed, 1e-9);
  // Braking lowers the view by 1/6120 per N of weight transfer.
  EXPECT_NEAR(accel / 3.6 * 0.408 * load / 2.55 / 6120.0 - 0.5, race_.view_pitch, 1e-6);
}

TEST_F(CarModel, DriveForceAtTheTractionLimitIsHeldNotWrapped) {
  EXPECT_EQ(-1614.0, WholeDriveForce(-1614.98, 20000.0));
  EXPECT_EQ(19999.0, WholeDriveForce(20000.3, 20000.9));
  EXPECT_EQ(-19999.0, WholeDriveForce(-61234.0, 20000.9));

  // Through a whole step: the worked step with a limit of 100 N. The remainder would give
  // 614 kgf; the held force is 99, and its weight transfer lifts the view by 1/5100 per N.
  WorkedStart(100.0);
  Step(THROTTLE);
  const double accel = 99.0 * 9.8 / 1681.049 * 3.6;  // km/h per s
  EXPECT_NEAR(50.0 + accel / 60.0, race_.speed, 2e-6);
  EXPECT_NEAR(accel / 3.6 * 0.408 * 1679.4598 / 2.55 / 5100.0 - 0.5, race_.view_pitch, 1e-6);

  // With a limit of 1 N (a carried 0.25 is raised to 1) no whole kgf fits: no force at all.
  SetUp();
  WorkedStart(0.25);
  Step(THROTTLE);
  EXPECT_EQ(50.0, race_.speed);

  // A rate of 0 would divide by zero: the step is the one of 60 per second.
  SetUp();
  WorkedStart(100.0);
  Step(THROTTLE, 100000, 0);
  EXPECT_NEAR(50.0 + accel / 60.0, race_.speed, 2e-6);
}

TEST_F(CarModel, TractionLimitFollowsTheDrivenAxle) {
  // The worked step (W 1679.4598 kg, weight transfer D 2528.36 N) for every layout.
  const double load = 1679.4598, transfer = 2528.36;
  const double expected[4] = {1.2 * ((1.0 - 0.47) * load * 9.8 - transfer),
                              1.2 * (0.47 * load * 9.8 + transfer),
                              1.2 * (0.47 * load * 9.8 + transfer),
                              1.2 * load * 9.8};
  for (int layout = 0; layout < 4; ++layout) {
    SetUp();
    car_.drive_layout = layout;
    WorkedStart(20000.0);
    Step(THROTTLE);
    EXPECT_NEAR(expected[layout], model_.traction_limit, 0.05) << "layout " << layout;
  }
}

TEST_F(CarModel, WheelspinLowersTheTractionLimit) {
  // Launch in first at 6000 rpm: the engine's road speed is far above the car's, a slip s past
  // 0.2, so the carried limit shrinks by (1.125 - 0.625 s) before the force is taken from it.
  Start(0, 10.0, 6000.0f, 2000.0);
  const double engineKmh = 0.3179f * 6000.0 * 37.69911184307752 / (3.266f * 3.827 * 100.0);
  const double slip = (engineKmh - 10.0) / engineKmh;
  const double limit = std::trunc(2000.0 * (1.125 - 0.625 * slip));
  Step(THROTTLE);
  const double inertia = Load(10.0) + 1.0 + 0.154 * 3.827;
  EXPECT_NEAR(10.0 + (limit - 1.0) * 9.8 / inertia * 3.6 / 60.0, race_.speed, 1e-9);
  EXPECT_GT(race_.engine_rpm, 6000.0f) << "spinning tyres let the engine run up";
}

TEST_F(CarModel, ForceOverTheLimitTipsMarginalGripIntoSpin) {
  // The engine's road speed a hair above the car's (slip 0.00005, still grip). A force in
  // newtons over the limit adds 0.0001 to the slip, and the engine then runs up by
  // (N - limit) / 90 instead of following the wheels.
  const double engineKmh = 0.3179f * 5000.0 * 37.69911184307752 / (3.266f * 3.827 * 100.0);
  const auto nearlyGripping = [&](double limit, double slip = 0.00005) {
    SetUp();
    Start(0, engineKmh * (1.0 - slip), 5000.0f, limit);
    Step(THROTTLE);
  };
  nearlyGripping(5000.0);
  EXPECT_GT(race_.engine_rpm, 5110.0f);
  EXPECT_LT(race_.engine_rpm, 5130.0f);

  // Under the limit the same state keeps its grip: the engine follows the wheels.
  nearlyGripping(20000.0);
  EXPECT_NEAR(5000.0 * race_.speed / engineKmh, race_.engine_rpm, 0.01);
  // With no slip at all the force over the limit makes it exactly 0.0001: still grip.
  nearlyGripping(5000.0, 0.0);
  EXPECT_NEAR(5000.0 * race_.speed / engineKmh, race_.engine_rpm, 0.01);
  // A slip just past 0.0001 spins under the limit: the engine drops by (limit - N) × 0.04.
  nearlyGripping(20000.0, 0.0001005);
  EXPECT_LT(race_.engine_rpm, 4950.0f);
}

TEST_F(CarModel, DeliveredRecordFourTakesTheWorkedStep) {
  const std::vector<CarRecord> cars = ReadDeliveredCarTable();
  ASSERT_GT(cars.size(), 4u) << "the native build compiles the car table first";
  FillTachoScale();
  car_ = cars[4];
  tacho_ = TachoScaleFor(car_);
  WorkedStart(20000.0);
  Step(THROTTLE);
  EXPECT_NEAR(50.56455, race_.speed, 5e-6);
  EXPECT_NEAR(5273.502, race_.engine_rpm, 1e-3);
  EXPECT_NEAR(12316.74, model_.traction_limit, 5e-3);
  EXPECT_EQ(-0.3f, race_.view_pitch);
}
