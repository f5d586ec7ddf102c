// The committed art: the bitmaps the game loads have the sizes its blits assume, are 8-bit,
// keep the black key honest on 16-bit displays, and are exactly what the generator makes.
// How the art and the race models look from the game's own views is guarded by the golden
// pictures (tests/golden).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tools/art/common/art_common.h"
#include "tools/art/common/outputs.h"

namespace {

const std::string kResources = std::string(VORTA_SOURCE_DIR) + "/resources";

struct Expected {
  const char* file;
  int width, height;
  bool keyed;
};

// The game's bitmap table; the keyed ones are blitted with black as the transparent colour.
const Expected kPictures[] = {
    {"bitmaps/TITLE.bmp", 304, 704, true},
    {"bitmaps/CARSELECT.bmp", 288, 144, true},
    {"bitmaps/OPTION.bmp", 148, 80, true},
    {"bitmaps/RECORD.bmp", 432, 112, true},
    {"bitmaps/BACK.bmp", 640, 352, true},
    {"bitmaps/MISSION.bmp", 192, 80, true},
    {"bitmaps/FONT.bmp", 480, 448, true},
    {"bitmaps/SPEEDMETER.bmp", 256, 208, true},
    {"bitmaps/TACHOMETER.bmp", 768, 208, true},
    {"bitmaps/FONT_DFPOP_16_OTHER1.bmp", 384, 32, false},
    {"bitmaps/FONT_DFPOP_16_GREEN.bmp", 384, 32, true},
    {"bitmaps/FONT_DFPOP_16_RED.bmp", 384, 32, true},
    {"bitmaps/FONT_DFPOP_16_YELLOW.bmp", 384, 32, true},
    {"bitmaps/FONT_DFPOP_32_CREAM.bmp", 640, 160, true},
    {"bitmaps/FONT_DFPOP_32_ORANGE.bmp", 640, 160, true},
    {"bitmaps/TIMESLIP.bmp", 400, 232, true},
    {"textures/TEX_SIG.bmp", 256, 256, false},
    {"textures/TEX_WAY.bmp", 256, 256, false},
    {"textures/TEX_WAY2.bmp", 256, 256, false},
};

TEST(CommittedArt, EveryPictureHasItsSizeDepthAndSixteenBitSafeKey) {
  for (const Expected& e : kPictures) {
    SCOPED_TRACE(e.file);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadFileBytes(kResources + "/" + e.file, &bytes)) << "missing";
    ASSERT_GE(bytes.size(), 30u);
    EXPECT_EQ(bytes[28], 8) << "not 8 bits per pixel";
    IndexedBitmap b;
    std::string error;
    ASSERT_TRUE(DecodeBmp8(bytes, &b, &error)) << error;
    EXPECT_EQ(b.width, e.width);
    EXPECT_EQ(b.height, e.height);
    size_t visible = 0, lost = 0;
    for (int y = 0; y < b.height; ++y) {
      for (int x = 0; x < b.width; ++x) {
        const Rgb c = b.ColorAt(x, y);
        if (IsKeyBlack(c)) continue;
        ++visible;
        // A colour that packs to 0 would vanish through the key on a 16-bit display.
        if (e.keyed && !SurvivesSixteenBits(c)) ++lost;
      }
    }
    EXPECT_GT(visible, size_t(b.width) * b.height / 50) << "almost nothing drawn";
    EXPECT_EQ(lost, 0u) << "pixels that turn transparent in 16 bits";
  }
}

TEST(CommittedArt, RegeneratingGivesTheCommittedFilesByteForByte) {
  // A folder of its own: several people may run the art tests on one machine at once.
  std::string pattern = ::testing::TempDir() + "/artgen_regeneration_XXXXXX";
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const std::string scratch = pattern;
  const std::string command = std::string("\"") + ARTGEN_PATH + "\" \"" + scratch + "/resources\" \"" +
                              scratch + "/previews\"";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  const std::vector<std::string> committed = ArtOutputFiles(kResources);
  const std::vector<std::string> generated = ArtOutputFiles(scratch + "/resources");
  EXPECT_EQ(committed, generated) << "the set of art files differs from what artgen writes";
  for (const std::string& file : generated) {
    std::vector<uint8_t> made, stored;
    ASSERT_TRUE(ReadFileBytes(scratch + "/resources/" + file, &made)) << file;
    if (!ReadFileBytes(kResources + "/" + file, &stored)) continue;  // reported above
    EXPECT_TRUE(made == stored) << file << " differs from the committed copy; run the art_resources target";
  }
  std::filesystem::remove_all(scratch);
}

}  // namespace
