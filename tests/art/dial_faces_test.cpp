// The committed tachometer and speedometer faces against the race's needle: wherever the race
// points its needle for a marked value, that value's tick is drawn under the needle, and nowhere
// else close by; the red zone sits at each rev limit; the speed read-out, which the race prints
// before it lays the speedometer over it, shows through.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "data/car_record.h"
#include "tests/art/art_test_util.h"

namespace {

// The race's needle, as it places the tip (radius 125) and every other point of it: pivot at
// (128, 128) of a face, angle in degrees converted with this factor.
constexpr double kDegree = 0.017453292519943295;
constexpr double kPivotX = 128, kPivotY = 128;

struct Sample {
  int x, y;
};

Sample AlongNeedle(int face_left, double degrees, double radius) {
  const double x = face_left + kPivotX - radius * std::cos(degrees * kDegree);
  const double y = kPivotY - radius * std::sin(degrees * kDegree);
  return Sample{int(std::lround(x)), int(std::lround(y))};
}

double Luminance(Rgb c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

// Light paint of a tick against the dark face.
bool IsTickPaint(Rgb c) { return Luminance(c) >= 150; }
bool IsDarkFace(Rgb c) { return !IsKeyBlack(c) && Luminance(c) < 90; }
bool IsRedZone(Rgb c) { return c.r >= 110 && c.r > 2 * c.g && c.r > 2 * c.b; }

// Checks one marked value: the needle for it runs along a light tick from the tick's inner
// end to its outer end, the tip reaches just past it, and a few degrees to either side the
// face is bare at the radius only long ticks reach.
void ExpectTickUnderNeedle(const IndexedBitmap& sheet, int face_left, double degrees) {
  SCOPED_TRACE(::testing::Message() << "needle at " << degrees << " degrees, face at x " << face_left);
  for (double r : {102.0, 106.0, 110.0, 114.0, 118.0}) {
    const Sample s = AlongNeedle(face_left, degrees, r);
    EXPECT_TRUE(IsTickPaint(sheet.ColorAt(s.x, s.y))) << "no tick at radius " << r << " (" << s.x << ", " << s.y << ")";
  }
  const Sample tip = AlongNeedle(face_left, degrees, 125);
  EXPECT_FALSE(IsKeyBlack(sheet.ColorAt(tip.x, tip.y))) << "the tip leaves the dial";
  for (double off : {-3.0, 3.0}) {
    const Sample s = AlongNeedle(face_left, degrees + off, 104);
    EXPECT_TRUE(IsDarkFace(sheet.ColorAt(s.x, s.y))) << "tick paint " << off << " degrees off the needle";
  }
}

// The game's own scale table: each face must match the row that selects it.
const TachoScaleRow& TachoRow(int row) {
  FillTachoScale();
  return TachoScale[row];
}

double TachoDegrees(int row, double rpm) {
  const TachoScaleRow& scale = TachoRow(row);
  return scale.start_angle + rpm * (scale.end_angle - scale.start_angle) / scale.rev_limit;
}

TEST(DialFaces, EveryThousandRpmTickLiesUnderTheTachometerNeedle) {
  const IndexedBitmap sheet = LoadCommittedBitmap("TACHOMETER");
  ASSERT_EQ(sheet.width, 768);
  for (int row = 0; row < 3; ++row) {
    for (int rpm = 0; rpm <= TachoRow(row).rev_limit; rpm += 1000)
      ExpectTickUnderNeedle(sheet, 256 * row, TachoDegrees(row, rpm));
  }
}

TEST(DialFaces, EveryTwentyKmhTickLiesUnderTheSpeedometerNeedle) {
  const IndexedBitmap dial = LoadCommittedBitmap("SPEEDMETER");
  ASSERT_EQ(dial.width, 256);
  for (int kmh = 0; kmh <= 260; kmh += 20) ExpectTickUnderNeedle(dial, 0, kmh * 0.7500001875000468 - 30);
}

// Between the short ticks, out where the red band runs: red just below each limit, dark face at
// mid-scale.
TEST(DialFaces, RedZoneRunsUpToEachRevLimitOnly) {
  const IndexedBitmap sheet = LoadCommittedBitmap("TACHOMETER");
  for (int row = 0; row < 3; ++row) {
    SCOPED_TRACE(::testing::Message() << "tachometer row " << row);
    const int limit = TachoRow(row).rev_limit;
    const Sample near_limit = AlongNeedle(256 * row, TachoDegrees(row, limit - 250), 111);
    EXPECT_TRUE(IsRedZone(sheet.ColorAt(near_limit.x, near_limit.y)));
    const Sample mid_scale = AlongNeedle(256 * row, TachoDegrees(row, limit / 2 + 250), 111);
    EXPECT_TRUE(IsDarkFace(sheet.ColorAt(mid_scale.x, mid_scale.y)));
  }
}

// The key is black outside the round face, so the scene shows around the gauge.
TEST(DialFaces, CornersOutsideTheRimAreTransparent) {
  const IndexedBitmap tacho = LoadCommittedBitmap("TACHOMETER");
  const IndexedBitmap speed = LoadCommittedBitmap("SPEEDMETER");
  for (const Sample corner : {Sample{1, 1}, Sample{254, 1}, Sample{1, 206}, Sample{254, 206}}) {
    for (int row = 0; row < 3; ++row)
      EXPECT_TRUE(IsKeyBlack(tacho.ColorAt(256 * row + corner.x, corner.y))) << row << ": " << corner.x << ", " << corner.y;
    EXPECT_TRUE(IsKeyBlack(speed.ColorAt(corner.x, corner.y))) << corner.x << ", " << corner.y;
  }
  // And opaque just inside the rim, all the way round the scale.
  for (int degrees = -30; degrees <= 170; degrees += 10) {
    const Sample s = AlongNeedle(0, degrees, 123);
    EXPECT_FALSE(IsKeyBlack(speed.ColorAt(s.x, s.y))) << degrees;
  }
}

// The dial display prints "%5.1fkm/h" with its 16 x 32 fonts at x = 152 - 8 * 9, y = 188, the
// digits from the orange sheet and the rest from the cream one, a "." pulled 4 px left and what
// follows it 11 px; then it blits the speedometer, keyed, at (20, 50). Every pixel any such
// text can draw must fall on a transparent pixel of the dial.
TEST(DialFaces, SpeedReadoutShowsThroughTheSpeedometer) {
  const IndexedBitmap dial = LoadCommittedBitmap("SPEEDMETER");
  const IndexedBitmap orange = LoadCommittedBitmap("FONT_DFPOP_32_ORANGE");
  const IndexedBitmap cream = LoadCommittedBitmap("FONT_DFPOP_32_CREAM");
  ASSERT_EQ(orange.width, 640);
  ASSERT_EQ(cream.width, 640);
  constexpr int kDialX = 20, kDialY = 50, kTextY = 188;
  const std::string pattern = "ddd.dkm/h";  // d: any digit or, in front, a space
  int x = 152 - 8 * int(pattern.size());
  int hidden = 0, drawn = 0;
  for (int i = 0; i < int(pattern.size()); ++i) {
    const char p = pattern[size_t(i)];
    if (p == '.') x -= 4;
    std::string codes = p == 'd' ? std::string("0123456789 ") : std::string(1, p);
    for (const char c : codes) {
      const bool digit = c >= '0' && c <= '9';
      const IndexedBitmap& font = digit ? orange : cream;
      const int n = c - 32;
      const ArtRect cell{n % 40 * 16, n / 40 * 32, n % 40 * 16 + 16, n / 40 * 32 + 32};
      for (int sy = cell.top; sy < cell.bottom; ++sy) {
        for (int sx = cell.left; sx < cell.right; ++sx) {
          if (IsKeyBlack(font.ColorAt(sx, sy))) continue;
          ++drawn;
          const int dx = x + 16 * i + sx - cell.left - kDialX, dy = kTextY + sy - cell.top - kDialY;
          ASSERT_TRUE(dx >= 0 && dx < 256 && dy >= 0 && dy < 208);
          if (!IsKeyBlack(dial.ColorAt(dx, dy))) ++hidden;
        }
      }
    }
    if (p == '.') x -= 7;
  }
  EXPECT_GT(drawn, 1000);
  EXPECT_EQ(hidden, 0) << "pixels of the speed read-out covered by the dial";
}

}  // namespace
