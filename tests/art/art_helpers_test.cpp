// The generator's shared helpers: the BMP file it commits, and the palettes that must keep the
// black colour key and 16-bit displays in mind.
#include <gtest/gtest.h>

#include <cairo.h>

#include "tools/art/common/art_common.h"

namespace {

IndexedBitmap SmallBitmap() {
  IndexedBitmap b;
  b.width = 3;
  b.height = 2;
  b.palette = {Rgb{0, 0, 0}, Rgb{10, 20, 30}, Rgb{200, 100, 50}};
  b.pixels = {0, 1, 2,
              2, 1, 0};
  return b;
}

uint32_t Le32(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (uint32_t(bytes[at + 3]) << 24);
}

TEST(BmpFile, HeaderRowsAndPaletteFollowTheWindowsLayout) {
  const std::vector<uint8_t> bytes = EncodeBmp8(SmallBitmap());
  // 14 + 40 + 1024 header bytes, then two rows of 3 pixels padded to 4.
  ASSERT_EQ(bytes.size(), 1078u + 8u);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  EXPECT_EQ(Le32(bytes, 2), 1086u);
  EXPECT_EQ(Le32(bytes, 10), 1078u);
  EXPECT_EQ(Le32(bytes, 14), 40u);
  EXPECT_EQ(Le32(bytes, 18), 3u);
  EXPECT_EQ(Le32(bytes, 22), 2u);  // positive: bottom-up
  EXPECT_EQ(bytes[28], 8);
  EXPECT_EQ(Le32(bytes, 30), 0u);
  EXPECT_EQ(Le32(bytes, 46), 256u);
  // Palette entries are blue, green, red, 0; entries past the used ones stay zero.
  EXPECT_EQ(bytes[54 + 4 * 2 + 0], 50);
  EXPECT_EQ(bytes[54 + 4 * 2 + 1], 100);
  EXPECT_EQ(bytes[54 + 4 * 2 + 2], 200);
  EXPECT_EQ(bytes[54 + 4 * 3 + 2], 0);
  // The bottom row comes first.
  EXPECT_EQ(bytes[1078], 2);
  EXPECT_EQ(bytes[1079], 1);
  EXPECT_EQ(bytes[1080], 0);
  EXPECT_EQ(bytes[1082], 0);
  EXPECT_EQ(bytes[1083], 1);
  EXPECT_EQ(bytes[1084], 2);
}

TEST(BmpFile, ReadsBackWhatItWritesAndRejectsDamagedFiles) {
  const IndexedBitmap original = SmallBitmap();
  const std::vector<uint8_t> bytes = EncodeBmp8(original);
  IndexedBitmap back;
  std::string error;
  ASSERT_TRUE(DecodeBmp8(bytes, &back, &error)) << error;
  EXPECT_EQ(back.width, 3);
  EXPECT_EQ(back.height, 2);
  EXPECT_EQ(back.pixels, original.pixels);
  EXPECT_EQ(back.palette[2], (Rgb{200, 100, 50}));

  std::vector<uint8_t> truncated(bytes.begin(), bytes.end() - 1);
  EXPECT_FALSE(DecodeBmp8(truncated, &back, &error));
  std::vector<uint8_t> wrong_depth = bytes;
  wrong_depth[28] = 24;
  EXPECT_FALSE(DecodeBmp8(wrong_depth, &back, &error));
  std::vector<uint8_t> huge_palette = bytes;
  huge_palette[46] = 0x01;
  huge_palette[47] = 0x01;  // 257 colours
  EXPECT_FALSE(DecodeBmp8(huge_palette, &back, &error));
  std::vector<uint8_t> tall = bytes;
  tall[22] = 200;  // claims 200 rows that are not there
  EXPECT_FALSE(DecodeBmp8(tall, &back, &error));
  EXPECT_FALSE(DecodeBmp8(std::vector<uint8_t>(10, 'B'), &back, &error));

  IndexedBitmap bad_index = original;
  bad_index.pixels[0] = 7;  // only three palette entries
  EXPECT_FALSE(WriteBmp8(::testing::TempDir() + "/bad_index.bmp", bad_index));
}

TEST(Quantizer, LiftKeepsDarkColoursVisibleInSixteenBits) {
  EXPECT_EQ(LiftToVisible(Rgb{0, 0, 0}), (Rgb{8, 8, 8}));
  EXPECT_EQ(LiftToVisible(Rgb{2, 0, 1}), (Rgb{8, 0, 4}));
  EXPECT_EQ(LiftToVisible(Rgb{8, 0, 0}), (Rgb{8, 0, 0}));
  EXPECT_EQ(LiftToVisible(Rgb{0, 7, 0}), (Rgb{0, 8, 0}));
  for (int v = 0; v < 8; ++v) {
    EXPECT_TRUE(SurvivesSixteenBits(LiftToVisible(Rgb{uint8_t(v), 0, 0})));
    EXPECT_TRUE(SurvivesSixteenBits(LiftToVisible(Rgb{0, uint8_t(v), uint8_t(v)})));
  }
  // 5-6-5 keeps green from 4 up, 5-5-5 only from 8 up: (0, 4, 0) is lost on one of them.
  EXPECT_FALSE(SurvivesSixteenBits(Rgb{0, 4, 0}));
  EXPECT_FALSE(SurvivesSixteenBits(Rgb{7, 7, 7}));
}

void PutPixel(cairo_surface_t* s, int x, int y, uint32_t argb_premultiplied) {
  cairo_surface_flush(s);
  auto* row = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s));
  row[x] = argb_premultiplied;
  cairo_surface_mark_dirty(s);
}

TEST(Quantizer, KeyedPicturesKeepBlackOnlyWhereNothingWasDrawn) {
  Canvas canvas(4, 1);
  PutPixel(canvas.surface(), 1, 0, 0xFF000000);  // opaque black ink
  PutPixel(canvas.surface(), 2, 0, 0xFF030201);  // too dark for 16 bits
  PutPixel(canvas.surface(), 3, 0, 0x80808080);  // half-covered white edge
  const IndexedBitmap b = QuantizeKeyed(canvas.surface());
  ASSERT_EQ(b.width, 4);
  ASSERT_EQ(b.height, 1);
  EXPECT_EQ(b.palette[0], (Rgb{0, 0, 0}));
  EXPECT_EQ(b.pixels[0], 0);
  for (int x = 1; x < 4; ++x) {
    EXPECT_NE(b.pixels[x], 0) << x;
    EXPECT_TRUE(SurvivesSixteenBits(b.ColorAt(x, 0))) << x;
  }
  EXPECT_EQ(b.ColorAt(3, 0), (Rgb{128, 128, 128}));  // composited over black
}

TEST(Quantizer, ManyColoursFitTheirPaletteAndComeOutTheSameEveryTime) {
  Canvas canvas(256, 64);
  cairo_pattern_t* across = LinearGradient(0, 0, 256, 0, {{0, Rgb{255, 0, 0}}, {0.5, Rgb{0, 255, 0}}, {1, Rgb{0, 0, 255}}});
  cairo_set_source(canvas.cr(), across);
  cairo_rectangle(canvas.cr(), 0, 0, 256, 48);
  cairo_fill(canvas.cr());
  cairo_pattern_destroy(across);
  cairo_pattern_t* down = VerticalGradient(48, 64, {{0, Rgb{255, 255, 255}}, {1, Rgb{0, 0, 0}, 0.0}});
  cairo_set_source(canvas.cr(), down);
  cairo_rectangle(canvas.cr(), 0, 48, 256, 16);
  cairo_fill(canvas.cr());
  cairo_pattern_destroy(down);

  const IndexedBitmap first = QuantizeKeyed(canvas.surface());
  const IndexedBitmap second = QuantizeKeyed(canvas.surface());
  EXPECT_EQ(EncodeBmp8(first), EncodeBmp8(second));
  ASSERT_LE(first.palette.size(), 256u);
  long long error = 0;
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 256; ++x) {
      ASSERT_NE(first.pixels[y * 256 + x], 0);
      const Rgb c = first.ColorAt(x, y);
      ASSERT_TRUE(SurvivesSixteenBits(c));
      const uint32_t src = reinterpret_cast<const uint32_t*>(
          cairo_image_surface_get_data(canvas.surface()) + y * cairo_image_surface_get_stride(canvas.surface()))[x];
      error += std::abs(int((src >> 16) & 255) - c.r) + std::abs(int((src >> 8) & 255) - c.g) + std::abs(int(src & 255) - c.b);
    }
  }
  // A 255-colour palette follows a smooth ramp closely.
  EXPECT_LT(double(error) / (48 * 256 * 3), 4.0);
}

TEST(Quantizer, OpaquePicturesMayUseBlack) {
  Canvas canvas(2, 1);
  PutPixel(canvas.surface(), 1, 0, 0xFF204060);
  const IndexedBitmap b = QuantizeOpaque(canvas.surface());
  EXPECT_EQ(b.ColorAt(0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(b.ColorAt(1, 0), (Rgb{0x20, 0x40, 0x60}));
}

}  // namespace
