// Where the race's road, signal, needles and digits go.
#include "race/race_instruments.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

TEST(RaceInstrumentsTest, NeedlesSweepFromMinusThirtyToOneSeventyDegrees) {
  FillTachoScale();
  for (const TachoScaleRow& scale : TachoScale) {
    EXPECT_FLOAT_EQ(-30.0f, TachoNeedleAngle(0.0f, scale));
    EXPECT_FLOAT_EQ(170.0f, TachoNeedleAngle(static_cast<float>(scale.rev_limit), scale));
  }
  EXPECT_FLOAT_EQ(-30.0f, SpeedNeedleAngle(0.0));
  EXPECT_NEAR(170.0f, SpeedNeedleAngle(266.6666), 0.001);
}

// What the golden pictures do not show: the largest time, the long course once finished, the
// banner's dark half second, a blocked sixth slot.
TEST(RaceInstrumentsTest, PanelsAtTheirLimits) {
  InstrumentBlit time[kTimeCells];
  TimeDigits(99999, time);
  for (int p : {0, 1, 2, 4, 5}) EXPECT_EQ(9 * 32, time[p].source.left) << p;
  EXPECT_STREQ("99.999sec", TimeText(99999).text);

  EXPECT_STREQ("1000m", DistanceText(1003.0f, true, 1000.0f).text);
  // Finished: the banner shows for a second, then is gone for half a second.
  for (const auto& [ms, on] : {std::pair{1500u, true}, {2499u, true}, {2500u, false}, {2999u, false}}) {
    EXPECT_EQ(on, FinishBannerVisible(true, ms)) << ms;
  }
  EXPECT_FALSE(FinishBannerVisible(false, 0));
  CarSpec car = {};
  car.gear_gate[2][2] = -1.0;
  EXPECT_EQ(0, GearGate(car).source.left) << "the five-speed gate";
}

// Which of the drawn segments carry the line texture, and which a gantry.
TEST(RaceInstrumentsTest, RoadShowsTheLinesWithinTwoHundredMetres) {
  const struct { float distance, course; std::vector<int32_t> lines, gantries; } cases[] = {
      {199.9f, 400.0f, {}, {10, 15}},
      {200.0f, 400.0f, {20}, {10, 15, 20}},
      {950.0f, 1000.0f, {50}, {50, 55}},
  };
  for (const auto& c : cases) {
    std::vector<int32_t> lines, gantries;
    const int32_t first = FirstRoadSegment(c.distance);
    for (int32_t i = first; i <= first + kRoadSegmentsAhead; ++i) {
      if (SegmentUsesLineTexture(i, c.course)) lines.push_back(i);
      if (SegmentHasGantry(i)) gantries.push_back(i);
    }
    EXPECT_EQ(c.lines, lines) << c.distance;
    EXPECT_EQ(c.gantries, gantries) << c.distance;
  }
}

TEST(RaceInstrumentsTest, SignalRowsLightTheCountdownThenGoOrFalseStart) {
  // Lit lamps by step: A amber, G green, R red; '-' unlit.
  const char* shown[] = {"-----", "-----", "A----", "AA---", "AAA--", "AAAG-", "----R"};
  for (int32_t step = 0; step <= 6; ++step) {
    std::string lamps;
    for (int k = 0; k < kSignalLampCount; ++k) {
      const int model = SignalLamps[SignalRow(step)][k];
      lamps += model % 2 == 0 ? '-' : "AGR"[model / 2];
    }
    EXPECT_EQ(shown[step], lamps) << "step " << step;
  }
}

}  // namespace

TEST(RaceInstrumentsTest, CameraStartsHalfAMetreUpAndRidesWithTheCarAndItsPitch) {
  RaceState race;
  SetRaceStartValues(race);
  const auto xyz = [](const D3DVECTOR& v) { return std::tuple(v.x, v.y, v.z); };
  EXPECT_EQ(xyz(race.camera_eye), std::tuple(0.0f, -0.5f, 0.0f));
  EXPECT_EQ(xyz(race.camera_at), std::tuple(0.0f, -0.5f, 10.0f));
  EXPECT_EQ(xyz(race.camera_up), std::tuple(0.0f, 1.0f, 0.0f));
  // Red needles, drawn as a strip of the kite's four corners.
  for (const NeedleVertex& v : race.needle_vertices) {
    EXPECT_EQ(std::tuple(v.rhw, v.diffuse, v.specular), std::tuple(1.0f, 0xFF0000u, 0xFF0000u));
  }
  EXPECT_THAT(race.needle_indices, testing::ElementsAre(0, 1, 3, 2));

  race.distance = 123.5f;
  race.view_pitch = -0.3f;
  FollowCarWithCamera(race);
  EXPECT_EQ(123.5f, race.camera_eye.z);
  EXPECT_EQ(-0.3f, race.camera_at.y);
}
