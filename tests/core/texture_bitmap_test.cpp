// Reading the 8-bit bitmap a texture is made from, and refusing every damaged one.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gfx3d/texture_bitmap.h"
#include "texture_test_bitmaps.h"

using texture_test::MakeDib;
using texture_test::PutU16;
using texture_test::PutU32;

namespace {

TextureBitmapStatus Read(const std::vector<uint8_t>& bytes, TextureBitmap& out) {
  return ReadTextureBitmap(bytes.data(), bytes.size(), out);
}

std::vector<uint8_t> FourByTwo() { return MakeDib(4, 2, {{1, 2, 3, 4}, {5, 6, 7, 8}}); }

void ExpectEmpty(const TextureBitmap& bitmap) {
  EXPECT_EQ(0, bitmap.width);
  EXPECT_EQ(0, bitmap.height);
  EXPECT_TRUE(bitmap.pixels.empty());
}

}  // namespace

TEST(TextureBitmap, OnlyEightBitUncompressedBitmapsAreRead) {
  TextureBitmap bitmap;
  for (uint16_t bits : {24, 4}) {
    std::vector<uint8_t> other = FourByTwo();
    PutU16(other, 14, bits);
    EXPECT_EQ(TextureBitmapStatus::kNot8Bit, Read(other, bitmap)) << bits;
    ExpectEmpty(bitmap);
  }
  std::vector<uint8_t> rle = FourByTwo();
  PutU32(rle, 16, 1);  // BI_RLE8
  EXPECT_EQ(TextureBitmapStatus::kCompressed, Read(rle, bitmap));

  // Shorter than the header: nothing is read at all.
  std::vector<uint8_t> stub(39, 0);
  EXPECT_EQ(TextureBitmapStatus::kTooShort, Read(stub, bitmap));
  EXPECT_EQ(TextureBitmapStatus::kTooShort, ReadTextureBitmap(nullptr, 5000, bitmap));
}

TEST(TextureBitmap, ImpossibleSizesAreRefused) {
  const struct { int32_t width, height; } cases[] = {
      {0, 2}, {4, 0}, {-4, 2}, {4, -2}, {kMaxTextureSide + 1, 1}, {1, kMaxTextureSide + 1},
      {INT32_MIN, 1}, {0x7FFFFFFF, 0x7FFFFFFF}};
  for (const auto& c : cases) {
    std::vector<uint8_t> bytes = FourByTwo();
    PutU32(bytes, 4, static_cast<uint32_t>(c.width));
    PutU32(bytes, 8, static_cast<uint32_t>(c.height));
    TextureBitmap bitmap;
    EXPECT_EQ(TextureBitmapStatus::kBadSize, Read(bytes, bitmap)) << c.width << "x" << c.height;
    ExpectEmpty(bitmap);
  }
  std::vector<uint8_t> shortHeader = FourByTwo();
  PutU32(shortHeader, 0, 12);  // an OS/2 core header is not what the resources hold
  TextureBitmap bitmap;
  EXPECT_EQ(TextureBitmapStatus::kBadSize, Read(shortHeader, bitmap));
}

TEST(TextureBitmap, EveryByteCountIsCheckedAgainstTheResource) {
  TextureBitmap bitmap;
  std::vector<uint8_t> bytes = FourByTwo();
  bytes.pop_back();
  EXPECT_EQ(TextureBitmapStatus::kTruncated, Read(bytes, bitmap));
  ExpectEmpty(bitmap);

  // More rows than were given; a palette past the end, the header size pointing far away
  // (even near 4 GiB; 40 plus 64 KiB: every byte of the size counts); 257 colours.
  const struct { size_t at; uint32_t value; TextureBitmapStatus status; } damaged[] = {
      {8, 3, TextureBitmapStatus::kTruncated},
      {0, 0xFFFFFFF0u, TextureBitmapStatus::kTruncated},
      {0, 0x00010028u, TextureBitmapStatus::kTruncated},
      {32, 257, TextureBitmapStatus::kBadPalette}};
  for (const auto& d : damaged) {
    std::vector<uint8_t> header = FourByTwo();
    PutU32(header, d.at, d.value);
    EXPECT_EQ(d.status, Read(header, bitmap)) << d.at << ": " << d.value;
  }

  // Exactly the right length is enough; extra bytes after the rows are ignored.
  std::vector<uint8_t> exact = FourByTwo();
  EXPECT_EQ(TextureBitmapStatus::kOk, Read(exact, bitmap));
  exact.push_back(0);
  EXPECT_EQ(TextureBitmapStatus::kOk, Read(exact, bitmap));
}

TEST(TextureBitmap, RowsOfOddWidthsSkipTheirPadding) {
  // 3 pixels wide: each stored row is 4 bytes, the last one padding.
  TextureBitmap bitmap;
  ASSERT_EQ(TextureBitmapStatus::kOk,
            Read(MakeDib(3, 3, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, 0xEE), bitmap));
  EXPECT_EQ((std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 9}), bitmap.pixels);
  for (int i : {0, 255}) {  // the palette's first and last entries, blue i / 2, green 255 - i
    EXPECT_EQ(bitmap.palette[i].blue, i / 2);
    EXPECT_EQ(bitmap.palette[i].green, 255 - i);
    EXPECT_EQ(bitmap.palette[i].red, i);
  }

  // One byte short of the last row's padding is short: the padding is part of the format.
  std::vector<uint8_t> bytes = MakeDib(5, 1, {{1, 2, 3, 4, 5}});
  EXPECT_EQ(1064u + 8u, bytes.size());
  bytes.pop_back();
  EXPECT_EQ(TextureBitmapStatus::kTruncated, Read(bytes, bitmap));
}
