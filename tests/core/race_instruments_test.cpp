// Where the race's road, signal, needles, digits and banners go.
#include "race/race_instruments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(RaceInstrumentsTest, NeedleSweepsFromMinusThirtyToOneSeventyDegrees) {
  FillTachoScale();
  for (const TachoScaleRow& scale : TachoScale) {
    EXPECT_FLOAT_EQ(-30.0f, TachoNeedleAngle(0.0f, scale));
    EXPECT_FLOAT_EQ(170.0f, TachoNeedleAngle(static_cast<float>(scale.rev_limit), scale));
  }
  EXPECT_FLOAT_EQ(-30.0f, SpeedNeedleAngle(0.0));
  EXPECT_NEAR(170.0f, SpeedNeedleAngle(266.6666), 0.001);

  NeedleVertex v[kNeedleVertices] = {};
  PlaceNeedle(v, kTachoCentreX, kTachoCentreY, -30.0f);  // tip down to the left
  EXPECT_NEAR(389.75f, v[0].x, 0.01);
  EXPECT_NEAR(240.5f, v[0].y, 0.01);
  PlaceNeedle(v, kTachoCentreX, kTachoCentreY, 90.0f);  // straight up, tail below the pivot
  const float expected[kNeedleVertices][2] = {{498, 53}, {501, 178}, {498, 198}, {495, 178}};
  for (int i = 0; i < kNeedleVertices; ++i) {
    EXPECT_NEAR(expected[i][0], v[i].x, 0.001) << i;
    EXPECT_NEAR(expected[i][1], v[i].y, 0.001) << i;
  }
}

// The digit each cell shows, read back from its source column.
std::string SpeedShown(double speed) {
  InstrumentBlit cells[kSpeedDigits];
  SpeedDigits(speed, cells);
  std::string shown;
  for (int k = kSpeedDigits - 1; k >= 1; --k) shown += char('0' + cells[k].source.left / 48);
  return shown + "." + char('0' + cells[0].source.left / 32);
}

std::string TimeShown(uint32_t ms) {
  InstrumentBlit cells[kTimeCells];
  TimeDigits(ms, cells);
  std::string shown;
  for (int p = kTimeCells - 1; p >= 0; --p) {
    shown += p == 3 ? '.' : char('0' + cells[p].source.left / 32);
  }
  return shown;
}

TEST(RaceInstrumentsTest, DigitalPanelsShowEveryPlace) {
  EXPECT_EQ("000.0", SpeedShown(0.0));
  EXPECT_EQ("123.4", SpeedShown(123.45));
  EXPECT_EQ("99.999", TimeShown(99999));
  EXPECT_EQ("04.020", TimeShown(4020));

  InstrumentBlit speed[kSpeedDigits];
  SpeedDigits(0.0, speed);
  EXPECT_EQ((PixelRect{173, 166, 205, 214}), speed[0].destination);  // small tenths digit
  EXPECT_EQ((PixelRect{25, 138, 73, 218}), speed[3].destination);
  InstrumentBlit time[kTimeCells];
  TimeDigits(0, time);
  const int32_t lefts[kTimeCells] = {178, 146, 114, 104, 75, 43};
  for (int p = 0; p < kTimeCells; ++p) EXPECT_EQ(lefts[p], time[p].destination.left) << p;

  EXPECT_EQ(196u, ShownDistance(196.96f, false, 400.0f));
  EXPECT_EQ(400u, ShownDistance(412.7f, true, 400.0f));  // rolls on, shows the course
  EXPECT_EQ(1000u, ShownDistance(1003.0f, true, 1000.0f));
}

TEST(RaceInstrumentsTest, DialTextsStandCentred) {
  const InstrumentText time = TimeText(99999);
  EXPECT_STREQ("99.999sec", time.text);
  EXPECT_EQ(324 - 8 * 9, time.x);
  const InstrumentText distance = DistanceText(412.7f, true, 400.0f);
  EXPECT_STREQ(" 400m", distance.text);
  EXPECT_EQ(280, distance.x);
  EXPECT_STREQ("  0.0km/h", SpeedText(0.0).text);
}

TEST(RaceInstrumentsTest, GateFollowsTheLowerRightCell) {
  CarSpec car = {};
  const double cells[] = {0.0, -1.0, 0.82};
  const int32_t sourceLefts[] = {0, 0, 80};
  for (int i = 0; i < 3; ++i) {
    car.gear_gate[2][2] = cells[i];
    EXPECT_EQ(sourceLefts[i], GearGate(car).source.left) << cells[i];
  }
  EXPECT_EQ((PixelRect{579, 219, 611, 251}), GearKnob(2, 2).destination);
}

// Which of the drawn segments carry the line texture, and which carry a gantry.
TEST(RaceInstrumentsTest, RoadShowsTheLinesWithinTwoHundredMetres) {
  struct Case {
    float distance, course;
    std::vector<int32_t> lines, gantries;
  } cases[] = {
      {0.0f, 400.0f, {0}, {0, 5, 10}},
      {199.9f, 400.0f, {}, {10, 15}},
      {200.0f, 400.0f, {20}, {10, 15, 20}},
      {950.0f, 1000.0f, {50}, {50, 55}},
  };
  for (const Case& c : cases) {
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
  // Lit lamps: A amber, G green, R red; '-' unlit.
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

TEST(RaceInstrumentsTest, BannersAndName) {
  const uint32_t times[] = {0, 999, 1000, 1499, 1500};
  const bool on[] = {true, true, false, false, true};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(on[i], FinishBannerVisible(true, times[i])) << times[i];
  EXPECT_FALSE(FinishBannerVisible(false, 0));
  EXPECT_FALSE(RecordBannerVisible(0, 0));
  EXPECT_TRUE(RecordBannerVisible(0, 3));
  EXPECT_EQ(168, CarNameX("KOGANE F-11 Formula"));
}

}  // namespace
