// The race simulator's scripted driver: gear slots, lever paths through the real lever,
// shift points, and whole runs through the car model.
#include <gtest/gtest.h>

#include <cstring>

#include "test_cars.h"
#include "tools/racesim/race_driver.h"

namespace {

// Plays a lever path through the game's lever with the clutch held in every frame.
GateSlot PlayPath(const CarSpec& car, const GateSlot& from, const std::vector<KeyFrame>& path) {
  RaceState race;
  SetRaceStartValues(race);
  race.gear_row = from.row;
  race.gear_column = from.column;
  uint8_t previous[256] = {};
  for (const KeyFrame& frame : path) {
    uint8_t keys[256] = {};
    keys[kKeyCodeLeftCtrl] = 0x80;
    for (int key : frame) keys[key] = 0x80;
    MoveGearLever(car, race, keys, previous);
    std::memcpy(previous, keys, sizeof keys);
  }
  return GateSlot{race.gear_row, race.gear_column};
}

}  // namespace

TEST(RaceDriverGears, SlotsInShiftOrderUpToTheFirstDeadSlot) {
  CarSpec car = MakeRecord4();
  GateSlot gears[kMaxForwardGears];
  ASSERT_EQ(6, ForwardGears(car, gears));
  const GateSlot expected[6] = {{0, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {2, 2}};
  for (int g = 0; g < 6; ++g) {
    EXPECT_EQ(expected[g].row, gears[g].row) << g;
    EXPECT_EQ(expected[g].column, gears[g].column) << g;
  }
  car.gear_gate[2][2] = 0.0;
  EXPECT_EQ(5, ForwardGears(car, gears));
  car.gear_gate[2][2] = -1.0;
  EXPECT_EQ(5, ForwardGears(car, gears));
}

TEST(RaceDriverLever, EveryShiftLandsThroughTheRealLever) {
  const CarSpec car = MakeRecord4();
  GateSlot gears[kMaxForwardGears];
  const int count = ForwardGears(car, gears);
  const GateSlot neutral = {1, 1};
  GateSlot at = PlayPath(car, neutral, LeverPath(neutral, gears[0]));
  EXPECT_EQ(0, at.row);
  EXPECT_EQ(0, at.column);
  for (int g = 0; g + 1 < count; ++g) {
    at = PlayPath(car, gears[g], LeverPath(gears[g], gears[g + 1]));
    EXPECT_EQ(gears[g + 1].row, at.row) << "shift " << g + 1;
    EXPECT_EQ(gears[g + 1].column, at.column) << "shift " << g + 1;
  }
  // And back down across the gate.
  at = PlayPath(car, gears[5], LeverPath(gears[5], gears[0]));
  EXPECT_EQ(0, at.row);
  EXPECT_EQ(0, at.column);
}

TEST(RaceDriverLever, PressesShareFramesOnlyInTheLeversOrder) {
  // Straight down through neutral: the key must come up between the two presses.
  const std::vector<KeyFrame> down = LeverPath({0, 0}, {2, 0});
  ASSERT_EQ(3u, down.size());
  EXPECT_EQ(KeyFrame{kKeyCodeDown}, down[0]);
  EXPECT_TRUE(down[1].empty());
  EXPECT_EQ(KeyFrame{kKeyCodeDown}, down[2]);
  // Up into neutral and Right in one frame; Up again after a release.
  const std::vector<KeyFrame> across = LeverPath({2, 0}, {0, 1});
  ASSERT_EQ(3u, across.size());
  EXPECT_EQ((KeyFrame{kKeyCodeUp, kKeyCodeRight}), across[0]);
  EXPECT_TRUE(across[1].empty());
  EXPECT_EQ(KeyFrame{kKeyCodeUp}, across[2]);
  // Left then Up: Up is tested before Left, so they cannot share a frame.
  const std::vector<KeyFrame> first = LeverPath({1, 1}, {0, 0});
  ASSERT_EQ(2u, first.size());
  EXPECT_EQ(KeyFrame{kKeyCodeLeft}, first[0]);
  EXPECT_EQ(KeyFrame{kKeyCodeUp}, first[1]);
  EXPECT_TRUE(LeverPath({0, 2}, {0, 2}).empty());
}

TEST(RaceDriverShifts, WheelForceFollowsTheCurveAndStopsAtTheLimit) {
  const CarSpec car = MakeRecord4();
  const GateSlot first = {0, 0};
  const double ratio = 3.266f * 3.827;
  // At 5000 rpm: 46.6 kgf·m through 12.499 onto a 0.3179 m tyre is 1832.19 kgf.
  const double at5000 = 5000.0 * 0.3179f * 37.69911184307752 / (ratio * 100.0);
  EXPECT_NEAR(1832.19, WheelForceKgf(car, first, at5000, 10000), 0.05);
  EXPECT_EQ(0.0, WheelForceKgf(car, first, at5000 * 2.01, 10000));
  EXPECT_GT(WheelForceKgf(car, first, at5000 * 1.99, 10000), 0.0);
}

TEST(RaceDriverShifts, ShiftWhereTheNextGearPullsHarder) {
  const CarSpec car = MakeRecord4();
  const GateSlot first = {0, 0}, second = {2, 0};
  const double v = BestShiftSpeed(car, first, second, 10000);
  EXPECT_GE(WheelForceKgf(car, second, v, 10000), WheelForceKgf(car, first, v, 10000));
  EXPECT_LT(WheelForceKgf(car, second, v - 0.1, 10000),
            WheelForceKgf(car, first, v - 0.1, 10000));

  // With a flat curve the lower gear always pulls harder: shift just short of the limiter.
  CarSpec flat = car;
  for (double& t : flat.torque_curve) t = 30.0;
  const double perRpm = 3.266f * 3.827 * 100.0 / (0.3179f * 37.69911184307752);
  EXPECT_NEAR(0.995 * 10000.0 / perRpm, BestShiftSpeed(flat, first, second, 10000), 0.01);
}

TEST(RaceDriverRuns, RecordFourCoversBothCourses) {
  const CarSpec car = MakeRecord4();
  const TachoScaleRow tacho = MakeTachoRow(10000);
  const DriverPlan plan = PlanDriver(car, tacho, 3000, 15, 0);
  const RunResult quarter = SimulateRun(car, tacho, plan, 400.0f);
  ASSERT_TRUE(quarter.finished);
  EXPECT_FALSE(quarter.false_start);
  EXPECT_FALSE(quarter.lever_missed);
  EXPECT_GE(quarter.shifts, 3);
  EXPECT_GT(quarter.time_ms, 10000u);
  EXPECT_LT(quarter.time_ms, 16000u);
  EXPECT_GT(quarter.finish_speed_kmh, 140.0);
  EXPECT_LT(quarter.finish_speed_kmh, 200.0);

  const RunResult kilometre = SimulateRun(car, tacho, plan, 1000.0f);
  ASSERT_TRUE(kilometre.finished);
  EXPECT_GT(kilometre.time_ms, quarter.time_ms + 8000);
  EXPECT_GE(kilometre.top_speed_kmh, quarter.top_speed_kmh);
  EXPECT_FALSE(kilometre.lever_missed);
}

TEST(RaceDriverRuns, LongerClutchAndLaterReactionCostTime) {
  const CarSpec car = MakeRecord4();
  const TachoScaleRow tacho = MakeTachoRow(10000);
  const RunResult quick = SimulateRun(car, tacho, PlanDriver(car, tacho, 3000, 6, 0), 400.0f);
  const RunResult slow = SimulateRun(car, tacho, PlanDriver(car, tacho, 40, 40, 0), 400.0f);
  const RunResult late = SimulateRun(car, tacho, PlanDriver(car, tacho, 3000, 6, 30), 400.0f);
  ASSERT_TRUE(quick.finished && slow.finished && late.finished);
  EXPECT_LT(quick.time_ms, slow.time_ms);
  // Half a second asleep at the lamp is half a second on the clock.
  EXPECT_NEAR(static_cast<double>(quick.time_ms) + 500.0, late.time_ms, 20.0);
}

TEST(RaceDriverRuns, BestLaunchIsNoWorseThanAnyOther) {
  const CarSpec car = MakeRecord4();
  const TachoScaleRow tacho = MakeTachoRow(10000);
  RunResult best;
  const DriverPlan plan = BestLaunch(car, tacho, 400.0f, 15, 0, best);
  ASSERT_TRUE(best.finished);
  for (int32_t rpm : {2000, 4000, 6000, 8000}) {
    const RunResult other = SimulateRun(car, tacho, PlanDriver(car, tacho, rpm, 15, 0), 400.0f);
    EXPECT_LE(best.time_ms, other.time_ms) << rpm;
  }
  EXPECT_GE(plan.launch_rpm, 1500);
  EXPECT_LE(plan.launch_rpm, 10000);
}
