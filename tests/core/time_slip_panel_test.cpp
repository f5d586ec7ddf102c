// The time-slip panel read back as a player reads it: each row's runs of characters with the
// pixel column, from the panel's left, where each run begins.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "race/time_slip_panel.h"

namespace {

struct PanelReading {
  std::vector<std::pair<PixelRect, PixelRect>> plate;  // source, destination
  std::map<int32_t, std::string> rows;                 // by top, from the panel's top
  int orange = 0;                                       // glyphs from the orange sheet
};

std::vector<InstrumentBlit> Slip(const TimeSlip& slip, float courseLength) {
  std::vector<InstrumentBlit> cells = {{}};  // anything left there is replaced
  TimeSlipPanel(slip, courseLength, cells);
  return cells;
}

std::vector<InstrumentBlit> Gaps(const TimeSlip& slip, const TimeSlip& ghost, float courseLength) {
  std::vector<InstrumentBlit> cells;
  GhostGapPanel(slip, ghost, courseLength, cells);
  return cells;
}

PanelReading Read(const std::vector<InstrumentBlit>& cells, int32_t panelX = kSlipPanelX) {
  PanelReading reading;
  std::map<int32_t, std::map<int32_t, char>> glyphs;
  for (const InstrumentBlit& cell : cells) {
    const PixelRect& s = cell.source;
    if (s.top < kSlipCreamFontTop) {
      reading.plate.push_back({s, cell.destination});
      continue;
    }
    EXPECT_TRUE(s.Width() == 8 && s.Height() == 16 && cell.destination.Height() == 16);
    const bool orange = s.top >= kSlipOrangeFontTop;
    reading.orange += orange;
    const int32_t sheetRow = (s.top - (orange ? kSlipOrangeFontTop : kSlipCreamFontTop)) / 16;
    glyphs[cell.destination.top - kSlipPanelY][cell.destination.left - panelX] =
        static_cast<char>(32 + s.left / 8 + 48 * sheetRow);
  }
  for (const auto& [top, row] : glyphs) {
    std::string& text = reading.rows[top];
    int32_t last = -100;
    for (const auto& [x, c] : row) {
      if (x - last > 8) text += (text.empty() ? "@" : " @") + std::to_string(x) + ":";
      text += c;
      last = x;
    }
  }
  return reading;
}

TEST(TimeSlipPanel, ShowsTheCoursesMarksWithTheValuesPassedSoFar) {
  const TimeSlip slip = {true, 412, {{true, 1234, 61.24}, {true, 8000, 120.0}}};
  const PanelReading reading = Read(Slip(slip, 400.0f));
  const std::map<int32_t, std::string> rows = {
      {4, "@36:TIME @76:SLIP"},
      {20, "@71:sec @106:km/h"},
      {36, "@22:R/T @60:0.412"},
      {52, "@22:20m @60:1.234 @111:61.2"},
      {68, "@14:100m @60:8.000 @103:120.0"},
      {84, "@14:200m"},
      {100, "@14:400m"},
  };
  EXPECT_EQ(rows, reading.rows);
  EXPECT_EQ(19, reading.orange) << "every figure orange, every point cream";
  // The short plate beside the long course's, which ends at 432, clear of the car's name.
  EXPECT_EQ(decltype(reading.plate)({{{144, 0, 288, 120}, {20, 264, 164, 384}}}), reading.plate);
  EXPECT_EQ(decltype(reading.plate)({{{0, 0, 144, 168}, {20, 264, 164, 432}}}),
            Read(Slip(slip, 1000.0f)).plate);
}

// Beside a ghost: the player's time less the ghost's on every row both have passed, at the
// right of the road, level with the slip's rows.
TEST(TimeSlipPanel, GapPanelShowsThePlayersTimeLessTheGhostsOnEachRowBothPassed) {
  // A long stop on the way to 100 m; the course's own length is a mark too.
  const TimeSlip slip = {
      true, 412, {{true, 1234, 61.2}, {true, 25000, 30.0}, {}, {true, 30000, 160.0}}};
  const TimeSlip ghost = {true, 289, {{true, 1279, 60.0}, {true, 8000, 120.0},
                                      {true, 11000, 150.0}, {true, 30100, 161.0}}};
  const PanelReading reading = Read(Gaps(slip, ghost, 400.0f), kGapPanelX);
  const std::map<int32_t, std::string> rows = {
      {4, "@8:GHOST"},
      {20, "@25:sec"},
      {36, "@6:+0.123"},
      {52, "@6:-0.045"},
      {68, "@6:+9.999"},
      {100, "@6:-0.100"},
  };
  EXPECT_EQ(rows, reading.rows);
  EXPECT_EQ(decltype(reading.plate)({{{344, 0, 400, 120}, {564, 264, 620, 384}}}), reading.plate);
  EXPECT_EQ(decltype(reading.plate)({{{288, 0, 344, 168}, {564, 264, 620, 432}}}),
            Read(Gaps(slip, ghost, 1000.0f), kGapPanelX).plate);
}

TEST(TimeSlipPanel, PassingAMarkAddsOnlyItsFiguresToThePanelShown) {
  const std::vector<InstrumentBlit> empty = Slip({}, 400.0f);
  const std::vector<InstrumentBlit> passed = Slip({true, 412, {{true, 1234, 61.24}}}, 400.0f);
  std::vector<InstrumentBlit> missing;
  ASSERT_TRUE(CellsToAdd(empty, passed, missing));
  // "0.412", "1.234" and "61.2": 14 glyphs, the rest is already on the panel.
  EXPECT_EQ(14u, missing.size());
  EXPECT_EQ(passed.size(), empty.size() + missing.size());
  // A new run takes figures away, and a panel never set has not even its plate: afresh.
  EXPECT_FALSE(CellsToAdd(passed, empty, missing));
  EXPECT_FALSE(CellsToAdd({}, empty, missing));
}

}  // namespace
