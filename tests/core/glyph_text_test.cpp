#include <gtest/gtest.h>

#include <vector>

#include "display/frame_rate_text.h"
#include "display/glyph_layout.h"

namespace {
using Rect = PixelRect;

struct Placed {
  uint8_t code;
  PixelRect source;
  PixelRect destination;
};

std::vector<Placed> WalkText(const char* text, int32_t maxChars, int32_t x, int32_t y,
                             int32_t cellWidth, int32_t* count = nullptr) {
  std::vector<Placed> placed;
  const int32_t n = WalkBitmapText(text, maxChars, x, y, cellWidth,
                                   [&](uint8_t code, const PixelRect& s, const PixelRect& d) {
                                     placed.push_back({code, s, d});
                                   });
  if (count != nullptr) *count = n;
  return placed;
}


TEST(GlyphLayoutTest, MaximumTerminatorAndEmptyInputs) {
  // A longer text stops after the maximum, a shorter one at its terminator.
  const struct { const char* text; int32_t max, count; } cases[] = {
      {"HELLO", 3, 3}, {"HI", 10, 2}, {"HI", 0, 0}, {"HI", -4, 0}, {nullptr, 5, 0}};
  for (const auto& c : cases) {
    int32_t count = -1;
    EXPECT_EQ(WalkText(c.text, c.max, 0, 0, 8, &count).size(), static_cast<size_t>(c.count));
    EXPECT_EQ(count, c.count) << c.max;
  }
  // Bytes above 127 are codes, not negative numbers: Shift-JIS katakana reach their cells.
  const std::vector<Placed> kana = WalkText("\xB1", 1, 0, 0, 16);
  ASSERT_EQ(kana.size(), 1u);
  EXPECT_EQ(kana[0].source, (Rect{400, 96, 416, 128}));
}

TEST(NumberTextTest, DecimalPointIsKernedAndMovesTheCallersX) {
  int32_t x = 100;
  std::vector<Placed> placed;
  const int32_t count = WalkNumberText("12.34", 10, x, 20, 16,
                                       [&](uint8_t code, const PixelRect& s, const PixelRect& d) {
                                         placed.push_back({code, s, d});
                                       });
  ASSERT_EQ(count, 5);
  ASSERT_EQ(placed.size(), 5u);
  EXPECT_EQ(placed[0].destination, (Rect{100, 20, 116, 52}));
  EXPECT_EQ(placed[1].destination.left, 116);
  EXPECT_EQ(placed[2].destination.left, 132 - 4) << "the point itself 4 pixels left";
  EXPECT_EQ(placed[3].destination.left, 148 - 11) << "after the point 11 pixels left";
  EXPECT_EQ(placed[4].destination.left, 164 - 11);
  EXPECT_EQ(placed[2].source, (Rect{224, 0, 240, 32})) << "the point, glyph 14";
  EXPECT_EQ(x, 100 - 11) << "the caller's x carries the kerning";
}

// Where the read-out stands is in every golden picture; these are the rates they do not show.
TEST(FrameRateTextTest, ThreeDigitsAndFps) {
  char text[kFrameRateTextSize];
  EXPECT_EQ(FormatFrameRate(7, text), 6);
  EXPECT_STREQ(text, "007FPS");
  EXPECT_EQ(FormatFrameRate(2147483647, text), 13) << "any rate fits the buffer";
}
}  // namespace
