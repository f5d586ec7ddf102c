// Distance per step and the finish-line time correction.
#include <gtest/gtest.h>

#include "race/race_clock.h"

TEST(RaceDistance, OneStepIsOneSixtiethOfTheSpeed) {
  EXPECT_DOUBLE_EQ(50.0 / 60.0, DistanceStep(180.0, 60));
  EXPECT_DOUBLE_EQ(DistanceStep(144.0, 60), DistanceStep(144.0, 0));

  RaceState race;
  SetRaceStartValues(race);
  race.speed = 180.0;
  for (int i = 0; i < 60; ++i) AdvanceDistance(race, 60);
  EXPECT_NEAR(50.0f, race.distance, 1e-4f);
  // The look-at point keeps its 10 m lead.
  EXPECT_NEAR(10.0f, race.camera_at.z - race.distance, 1e-4f);
  EXPECT_EQ(0.0f, race.camera_eye.z) << "the eye is the drawing's business";
}

TEST(FinishTime, TakenBackToTheCrossing) {
  // 180 km/h is 50 m/s; 0.845 m past the line is 16.9 ms, truncated to 16.
  EXPECT_EQ(12984u, CrossingTimeMs(13000, 400.845f, 400.0f, 180.0));
  // Truncated toward zero: 0.25 m at 100 km/h is 9 ms.
  EXPECT_EQ(24991u, CrossingTimeMs(25000, 1000.25f, 1000.0f, 100.0));
}

TEST(FinishTime, CappedStandingAndTinyTimesAreSafe) {
  EXPECT_EQ(kRaceTimeCapMs, CrossingTimeMs(kRaceTimeCapMs, 400.5f, 400.0f, 180.0));
  EXPECT_EQ(5000u, CrossingTimeMs(5000, 400.5f, 400.0f, 0.0));
  // Creeping over at 0.005 km/h: 0.0000305 m past the line (the next float after 400) is 21 ms.
  EXPECT_EQ(4979u, CrossingTimeMs(5000, 400.00003f, 400.0f, 0.005));
  EXPECT_EQ(0u, CrossingTimeMs(5, 400.5f, 400.0f, 180.0));
  EXPECT_EQ(13000u, CrossingTimeMs(13000, 399.0f, 400.0f, 180.0));
}
