// The committed race background: blitted opaque behind the road, so it has no key-black hole,
// and its ground meets the sky at screen row 240, where the race camera's level horizon lies.
#include <gtest/gtest.h>

#include "tests/art/art_test_util.h"

namespace {

bool IsGroundGreen(Rgb c) { return c.g > 1.2 * c.r && c.g > 1.3 * c.b && c.g > 60; }
bool IsSkyBlue(Rgb c) { return c.b > c.r + 40 && c.b > c.g; }

TEST(RaceBackground, SkyAboveGroundFromRow240Down) {
  const IndexedBitmap back = LoadCommittedBitmap("BACK");
  ASSERT_EQ(back.width, 640);
  ASSERT_EQ(back.height, 352);
  EXPECT_EQ(InkIn(back, ArtRect{0, 0, 640, 352}, [](Rgb c) { return IsKeyBlack(c); }).count, 0);
  for (int y = 240; y < 352; ++y) {
    const InkStats ground = InkIn(back, ArtRect{0, y, 640, y + 1}, IsGroundGreen);
    ASSERT_EQ(ground.count, 640) << "row " << y << " is not all ground";
  }
  const InkStats above = InkIn(back, ArtRect{0, 239, 640, 240}, IsGroundGreen);
  EXPECT_LT(above.count, 320) << "the ground begins above row 240";
  // Clouds may reach the top edge; the rest of it is sky.
  EXPECT_GT(InkIn(back, ArtRect{0, 0, 640, 6}, IsSkyBlue).count, 640 * 6 * 9 / 10);
}

}  // namespace
