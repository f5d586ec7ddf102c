// The committed race textures hold the right thing at every texture coordinate the race's
// meshes address (u right, v down, 1 = 256 texels): lamp cells of the signal sheet, the asphalt
// band and the swatches of the road sheets, on black elsewhere.
#include <gtest/gtest.h>

#include <string>

#include "tests/art/art_test_util.h"

namespace {

IndexedBitmap LoadTexture(const std::string& name) {
  IndexedBitmap bitmap;
  std::string error;
  EXPECT_TRUE(ReadBmp8(std::string(VORTA_SOURCE_DIR) + "/resources/textures/" + name + ".bmp", &bitmap, &error))
      << name << ": " << error;
  return bitmap;
}

int Texel(double coordinate) { return int(coordinate * 256); }

// The texels of a cell given in texture coordinates.
ArtRect CellAt(double u0, double v0, double u1, double v1) {
  return ArtRect{Texel(u0), Texel(v0), Texel(u1), Texel(v1)};
}

struct Mean {
  double r = 0, g = 0, b = 0;
  double Luminance() const { return 0.299 * r + 0.587 * g + 0.114 * b; }
};

// The average colour of the middle of a cell, 4 texels in from every side.
Mean MiddleOf(const IndexedBitmap& t, const ArtRect& cell) {
  Mean m;
  int n = 0;
  for (int y = cell.top + 4; y < cell.bottom - 4; ++y) {
    for (int x = cell.left + 4; x < cell.right - 4; ++x) {
      const Rgb c = t.ColorAt(x, y);
      m.r += c.r, m.g += c.g, m.b += c.b;
      ++n;
    }
  }
  m.r /= n, m.g /= n, m.b /= n;
  return m;
}

bool IsAmber(const Mean& m) { return m.r > m.g && m.g > 1.3 * m.b && m.g > 0.35 * m.r && m.g < 0.85 * m.r; }
bool IsGreen(const Mean& m) { return m.g > 1.4 * m.r && m.g > 1.4 * m.b; }
bool IsRed(const Mean& m) { return m.r > 2 * m.g && m.r > 2 * m.b; }
bool IsGrey(const Mean& m) {
  return std::abs(m.r - m.g) < 16 && std::abs(m.g - m.b) < 16 && std::abs(m.r - m.b) < 16;
}

TEST(SignalTexture, LampCellsHoldTheirColoursUnlitAndLit) {
  const IndexedBitmap t = LoadTexture("TEX_SIG");
  ASSERT_EQ(t.width, 256);
  // The lamp models' cells: amber, green, red at u 0, 0.188, 0.376; unlit at v 0, lit at 0.188.
  struct Lamp { const char* name; double u; bool (*family)(const Mean&); };
  const Lamp lamps[] = {{"amber", 0.0, IsAmber}, {"green", 0.188, IsGreen}, {"red", 0.376, IsRed}};
  for (const Lamp& lamp : lamps) {
    SCOPED_TRACE(lamp.name);
    const Mean unlit = MiddleOf(t, CellAt(lamp.u, 0, lamp.u + 0.125, 0.125));
    const Mean lit = MiddleOf(t, CellAt(lamp.u, 0.188, lamp.u + 0.125, 0.314));
    EXPECT_TRUE(lamp.family(unlit)) << unlit.r << " " << unlit.g << " " << unlit.b;
    EXPECT_TRUE(lamp.family(lit)) << lit.r << " " << lit.g << " " << lit.b;
    EXPECT_GT(lit.Luminance(), 2.5 * unlit.Luminance()) << "a lit lamp must stand out from an unlit one";
    EXPECT_GT(unlit.Luminance(), 12) << "an unlit lamp is dark glass, not a hole";
  }
  const Mean grey = MiddleOf(t, CellAt(0.565, 0, 0.69, 0.125));
  EXPECT_TRUE(IsGrey(grey)) << grey.r << " " << grey.g << " " << grey.b;
  EXPECT_GT(grey.Luminance(), 60);
  EXPECT_LT(grey.Luminance(), 180);
}

TEST(SignalTexture, CellsAreSetOnBlack) {
  const IndexedBitmap t = LoadTexture("TEX_SIG");
  // Between the cells, below the second row and right of the grey cell.
  for (const Mean& m : {MiddleOf(t, ArtRect{32, 0, 48, 32}), MiddleOf(t, ArtRect{0, 32, 176, 48}),
                        MiddleOf(t, ArtRect{0, 80, 256, 256}), MiddleOf(t, ArtRect{176, 0, 256, 80}),
                        MiddleOf(t, ArtRect{144, 48, 176, 80})})
    EXPECT_EQ(m.Luminance(), 0);
}

class RoadTexture : public ::testing::TestWithParam<const char*> {};

TEST_P(RoadTexture, AsphaltBandWithDashedCentreLine) {
  const IndexedBitmap t = LoadTexture(GetParam());
  ASSERT_EQ(t.width, 256);
  const int band_bottom = Texel(0.376);
  // The lanes: grey asphalt.
  for (const double u : {0.25, 0.75}) {
    const Mean lane = MiddleOf(t, CellAt(u - 0.05, 0.05, u + 0.05, 0.3));
    EXPECT_TRUE(IsGrey(lane)) << u;
    EXPECT_GT(lane.Luminance(), 50);
    EXPECT_LT(lane.Luminance(), 140);
  }
  // Down the middle: painted stretches and bare ones.
  int painted = 0, bare = 0;
  for (int y = 0; y < band_bottom - 12; ++y) {
    const Rgb c = t.ColorAt(128, y);
    if (c.r > 200 && c.g > 200 && c.b > 200) ++painted;
    else if (c.r < 140) ++bare;
  }
  EXPECT_GT(painted, 20);
  EXPECT_GT(bare, 20);
}

TEST_P(RoadTexture, SwatchesOfTheLowerBand) {
  const IndexedBitmap t = LoadTexture(GetParam());
  // Kerb: red and white stripes down the cell.
  int red = 0, white = 0;
  for (int y = Texel(0.753) + 1; y < 256; ++y) {
    const Rgb c = t.ColorAt(Texel(0.032), y);
    if (c.r > 150 && c.g < 90 && c.b < 90) ++red;
    if (c.r > 190 && c.g > 190 && c.b > 190) ++white;
  }
  EXPECT_GT(red, 16);
  EXPECT_GT(white, 16);

  const Mean grass = MiddleOf(t, CellAt(0.125, 0.878, 0.188, 1));
  EXPECT_TRUE(grass.g > grass.r + 20 && grass.g > grass.b + 20) << grass.r << " " << grass.g << " " << grass.b;
  const Mean wall = MiddleOf(t, CellAt(0.251, 0.878, 0.314, 1));
  EXPECT_TRUE(IsGrey(wall));
  EXPECT_GT(wall.Luminance(), 90);
  const Mean dark = MiddleOf(t, CellAt(0.816, 0.878, 0.878, 0.941));
  EXPECT_LT(dark.Luminance(), 70);
  EXPECT_GT(dark.Luminance(), 15);

  // The name plate: a coloured plate with light lettering on it.
  const ArtRect plate = CellAt(0.376, 0.878, 0.753, 1);
  const InkStats blue = InkIn(t, plate, [](Rgb c) { return c.b > c.r + 50 && c.b > 80; });
  const InkStats letters = InkIn(t, ArtRect{plate.left + 4, plate.top + 4, plate.right - 4, plate.bottom - 4},
                                 [](Rgb c) { return c.r > 200 && c.g > 190; });
  EXPECT_GT(blue.count, 1000);
  EXPECT_GT(letters.count, 150);
  EXPECT_LT(letters.left, (plate.left + plate.right) / 2 - 10) << "the title runs across the plate";
  EXPECT_GT(letters.right, (plate.left + plate.right) / 2 + 10);
}

TEST_P(RoadTexture, BlackBetweenTheBands) {
  const IndexedBitmap t = LoadTexture(GetParam());
  const InkStats ink = InkIn(t, ArtRect{0, Texel(0.376) + 3, 256, Texel(0.753) - 3},
                             [](Rgb c) { return !IsKeyBlack(c); });
  EXPECT_EQ(ink.count, 0);
}

INSTANTIATE_TEST_SUITE_P(BothRoads, RoadTexture, ::testing::Values("TEX_WAY", "TEX_WAY2"));

// Across the bottom of the band the line texture has its start and finish line, the plain road
// none; above it the two are the same road.
TEST(RoadTextures, OnlyTheLineTextureCrossesTheRoadAtTheBandBottom) {
  const IndexedBitmap way = LoadTexture("TEX_WAY");
  const IndexedBitmap way2 = LoadTexture("TEX_WAY2");
  const int bottom_row = Texel(0.376) - 1;
  int line = 0, plain = 0;
  for (int x = 16; x < 240; ++x) {
    const Rgb a = way2.ColorAt(x, bottom_row), b = way.ColorAt(x, bottom_row);
    if (a.r > 200 && a.g > 200 && a.b > 200) ++line;
    if (b.r < 150) ++plain;
  }
  EXPECT_EQ(line, 224);
  EXPECT_GT(plain, 200);
  const Mean way_lane = MiddleOf(way, CellAt(0.2, 0.05, 0.3, 0.3));
  const Mean way2_lane = MiddleOf(way2, CellAt(0.2, 0.05, 0.3, 0.3));
  EXPECT_NEAR(way_lane.Luminance(), way2_lane.Luminance(), 2.0);
}

}  // namespace
