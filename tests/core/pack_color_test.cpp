#include <gtest/gtest.h>

#include "display/pixel_layout.h"

namespace {
const ChannelLayout kR5G6B5 = ReadChannelLayout(0xF800, 0x07E0, 0x001F, 0, 16);
const ChannelLayout kX1R5G5B5 = ReadChannelLayout(0x7C00, 0x03E0, 0x001F, 0, 16);

TEST(PackColorTest, SixteenBitFormats) {
  EXPECT_EQ(PackColorFor(kR5G6B5, 255, 255, 255), 0xFFFFu);
  EXPECT_EQ(PackColorFor(kX1R5G5B5, 255, 255, 255), 0x7FFFu);
  EXPECT_EQ(PackColorFor(kR5G6B5, 255, 0, 0), 0xF800u);
  EXPECT_EQ(PackColorFor(kR5G6B5, 0, 255, 0), 0x07E0u);
  EXPECT_EQ(PackColorFor(kX1R5G5B5, 0, 0, 255), 0x001Fu);
  // Only the top bits survive: 8 and 4 are each the smallest step of their channel.
  EXPECT_EQ(PackColorFor(kR5G6B5, 8, 4, 8), 0x0821u);
  EXPECT_EQ(PackColorFor(kR5G6B5, 7, 3, 7), 0u);
  const ChannelLayout argb = ReadChannelLayout(0x7C00, 0x03E0, 0x001F, 0x8000, 16);
  EXPECT_EQ(PackColorFor(argb, 255, 255, 255), 0x7FFFu) << "alpha is never set";
}

}  // namespace
