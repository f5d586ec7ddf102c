// The committed gear lever and read-out pictures against the places the race blits their cells
// to: slots under every knob position the lever can take, a round knob centred in its cell, and
// read-out figures that stand on one baseline and never touch their cells' sides.
#include <gtest/gtest.h>

#include "tests/art/art_test_util.h"

namespace {

double Luminance(Rgb c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }
bool IsSlot(Rgb c) { return !IsKeyBlack(c) && Luminance(c) < 22; }
bool IsPlate(Rgb c) { return Luminance(c) > 35; }

// The race lays a gate at (535, 175) and the knob's 32 x 32 cell at (539 + 20 column,
// 179 + 20 row): the knob's centre on the gate is (20 + 20 column, 20 + 20 row).
TEST(GearLeverPicture, SlotsRunUnderEveryKnobPositionOfTheGate) {
  const IndexedBitmap m = LoadCommittedBitmap("MISSION");
  ASSERT_EQ(m.width, 192);
  for (int gate = 0; gate < 2; ++gate) {
    const bool six_speed = gate == 1;
    for (int row = 0; row < 3; ++row) {
      for (int column = 0; column < 3; ++column) {
        const Rgb c = m.ColorAt(80 * gate + 539 + 20 * column + 16 - 535, 179 + 20 * row + 16 - 175);
        const bool reachable = six_speed || !(row == 2 && column == 2);
        EXPECT_EQ(IsSlot(c), reachable) << "gate " << gate << " cell " << column << "," << row;
        if (!reachable) {
          EXPECT_TRUE(IsPlate(c));
        }
      }
    }
    // Between the rows of gears the plate is solid except on the neutral crossbar.
    for (int x : {30, 50}) {
      for (int y : {30, 50}) EXPECT_TRUE(IsPlate(m.ColorAt(80 * gate + x, y))) << gate << ": " << x << "," << y;
    }
  }
}

TEST(GearLeverPicture, KnobIsRoundAndCentredInItsCell) {
  const IndexedBitmap m = LoadCommittedBitmap("MISSION");
  const InkStats knob = InkIn(m, ArtRect{160, 0, 192, 32});
  ASSERT_GT(knob.count, 500);
  EXPECT_NEAR(knob.CentroidX(), 176, 1.5);
  EXPECT_NEAR(knob.CentroidY(), 16, 1.5);
  for (const auto& corner : {std::pair<int, int>{160, 0}, {191, 0}, {160, 31}, {191, 31}})
    EXPECT_TRUE(IsKeyBlack(m.ColorAt(corner.first, corner.second)));
  EXPECT_EQ(InkIn(m, ArtRect{160, 32, 192, 80}).count, 0) << "nothing below the knob";
}

struct FigureSet {
  const char* name;
  int left, top, width, height;  // cell of figure 0; figure d is d widths to the right
};
const FigureSet kFigureSets[] = {
    {"large speed", 0, 0, 48, 80}, {"time", 0, 160, 32, 48}, {"tenths", 0, 256, 32, 48}, {"distance", 0, 416, 16, 32}};

ArtRect FigureCell(const FigureSet& set, int d) {
  return ArtRect{set.left + d * set.width, set.top, set.left + (d + 1) * set.width, set.top + set.height};
}

TEST(RaceFontPicture, FiguresAreDistinctAndClearOfTheirCellSides) {
  const IndexedBitmap f = LoadCommittedBitmap("FONT");
  ASSERT_EQ(f.width, 480);
  for (const FigureSet& set : kFigureSets) {
    SCOPED_TRACE(set.name);
    for (int d = 0; d <= 9; ++d) {
      const ArtRect cell = FigureCell(set, d);
      const InkStats ink = InkIn(f, cell);
      EXPECT_GT(ink.count, set.width * set.height / 10) << d;
      EXPECT_GT(ink.left, cell.left) << d << " touches its left side";
      EXPECT_LT(ink.right, cell.right - 1) << d << " touches its right side";
      EXPECT_GT(ink.top, cell.top) << d;
      EXPECT_LT(ink.bottom, cell.bottom - 1) << d;
      for (int e = 0; e < d; ++e) {
        const ArtRect other = FigureCell(set, e);
        int differ = 0;
        for (int y = 0; y < set.height; ++y)
          for (int x = 0; x < set.width; ++x)
            differ += f.ColorAt(cell.left + x, cell.top + y) != f.ColorAt(other.left + x, other.top + y);
        EXPECT_GT(differ, set.width * set.height / 20) << d << " looks like " << e;
      }
    }
  }
}

// On screen the tens of km/h go to (121, 138) and the tenths to (173, 166): both figures must
// stand on one baseline. Likewise every figure of a set stands on the same one.
TEST(RaceFontPicture, SpeedFiguresAndTenthsShareABaseline) {
  const IndexedBitmap f = LoadCommittedBitmap("FONT");
  const int large_bottom = InkIn(f, FigureCell(kFigureSets[0], 0)).bottom - 0 + 138;
  const int tenths_bottom = InkIn(f, FigureCell(kFigureSets[2], 0)).bottom - 256 + 166;
  EXPECT_NEAR(large_bottom, tenths_bottom, 2);
  for (const FigureSet& set : kFigureSets) {
    const int zero = InkIn(f, FigureCell(set, 0)).bottom;
    for (int d : {1, 2, 4, 7}) EXPECT_NEAR(InkIn(f, FigureCell(set, d)).bottom, zero, 2) << set.name << " " << d;
  }
}

TEST(RaceFontPicture, PanelsAndBannersFillTheirRectangles) {
  const IndexedBitmap f = LoadCommittedBitmap("FONT");
  struct Piece { const char* name; ArtRect rect; double min_fill; };
  const Piece pieces[] = {{"speed panel", {0, 80, 272, 160}, 0.9},
                          {"time panel", {0, 208, 240, 256}, 0.9},
                          {"distance panel", {160, 416, 256, 448}, 0.9},
                          {"record banner", {0, 320, 256, 368}, 0.4},
                          {"finish banner", {0, 368, 304, 416}, 0.2},
                          {"time point", {320, 160, 330, 208}, 0.03}};
  for (const Piece& p : pieces) {
    const double area = double(p.rect.right - p.rect.left) * (p.rect.bottom - p.rect.top);
    EXPECT_GT(InkIn(f, p.rect).count / area, p.min_fill) << p.name;
  }
}

}  // namespace
