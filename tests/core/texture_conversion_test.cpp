// The texture format choice and the palette conversion into a 16-bit surface.
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "gfx3d/texture_bitmap.h"
#include "gfx3d/texture_conversion.h"
#include "texture_test_bitmaps.h"

using texture_test::MakeDib;
using texture_test::SetPaletteColour;

namespace {

// The formats Direct3D 6 devices list, with DirectDraw's flag values.
TexturePixelFormat Format(uint32_t flags, uint32_t bits, uint32_t red, uint32_t green,
                          uint32_t blue, uint32_t alpha) {
  return {flags | (alpha != 0 ? kPixelFormatAlphaPixels : 0), bits, red, green, blue, alpha};
}
const TexturePixelFormat kR5G6B5 = Format(kPixelFormatRgb, 16, 0xF800, 0x07E0, 0x001F, 0);
const TexturePixelFormat kX1R5G5B5 = Format(kPixelFormatRgb, 16, 0x7C00, 0x03E0, 0x001F, 0);
const TexturePixelFormat kA1R5G5B5 = Format(kPixelFormatRgb, 16, 0x7C00, 0x03E0, 0x001F, 0x8000);
const TexturePixelFormat kA4R4G4B4 = Format(kPixelFormatRgb, 16, 0x0F00, 0x00F0, 0x000F, 0xF000);
const TexturePixelFormat kPalettised8 = Format(0x00000020, 8, 0, 0, 0, 0);  // DDPF_PALETTEINDEXED8
const TexturePixelFormat kArgb32 =
    Format(kPixelFormatRgb, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);

// A surface in plain memory, with room around it to catch writes out of bounds.
struct Surface {
  static constexpr size_t kGuard = 64;
  int32_t width, height, pitch;
  std::vector<uint8_t> memory;
  Surface(int32_t w, int32_t h, int32_t p)
      : width(w), height(h), pitch(p), memory(kGuard * 2 + size_t(p) * size_t(h), 0xCD) {}
  LockedTexels Lock() { return {memory.data() + kGuard, pitch, width, height}; }
  uint16_t Texel(int x, int y) const {
    const size_t at = kGuard + size_t(y) * size_t(pitch) + size_t(x) * 2;
    return uint16_t(memory[at] | (memory[at + 1] << 8));
  }
  bool GuardsUntouched() const {
    for (size_t i = 0; i < kGuard; ++i) {
      if (memory[i] != 0xCD || memory[memory.size() - 1 - i] != 0xCD) return false;
    }
    return true;
  }
};

TextureBitmap ReadDib(const std::vector<uint8_t>& bytes) {
  TextureBitmap bitmap;
  EXPECT_EQ(TextureBitmapStatus::kOk, ReadTextureBitmap(bytes.data(), bytes.size(), bitmap));
  return bitmap;
}

}  // namespace

// The enumeration takes every 16-bit RGB format and stops at the first with alpha.
TEST(TextureFormatChoice, SixteenBitRgbIsTakenAndAlphaEndsTheSearch) {
  const std::pair<TexturePixelFormat, FormatVerdict> cases[] = {
      {kA1R5G5B5, FormatVerdict::kTakeAndStop}, {kA4R4G4B4, FormatVerdict::kTakeAndStop},
      {kR5G6B5, FormatVerdict::kTake},          {kX1R5G5B5, FormatVerdict::kTake},
      {kArgb32, FormatVerdict::kSkip},          {kPalettised8, FormatVerdict::kSkip}};
  for (const auto& [format, verdict] : cases) {
    EXPECT_EQ(verdict, JudgeTextureFormat(format)) << format.rgb_bit_count << " " << format.flags;
  }
}

TEST(TextureColorTable, PaletteColoursAreCutToTheChannelWidths) {
  PaletteEntry palette[kPaletteEntries] = {};
  palette[1] = {255, 255, 255, 0};  // blue, green, red: white
  palette[2] = {0, 0, 255, 0};      // red
  palette[3] = {255, 0, 0, 0};      // blue
  palette[4] = {0x17, 0x83, 0x87, 0};  // low bits are dropped, not rounded
  uint16_t table[kPaletteEntries];

  BuildTextureColorTable(palette, kR5G6B5, table);
  EXPECT_EQ(0xF800, table[2]);
  EXPECT_EQ(0x001F, table[3]);
  EXPECT_EQ(0x8402, table[4]);  // red 0x87>>3 = 16, green 0x83>>2 = 32, blue 0x17>>3 = 2

  // With an alpha channel every texel is opaque, black included.
  BuildTextureColorTable(palette, kA1R5G5B5, table);
  EXPECT_EQ(0xFC00, table[2]);
  EXPECT_EQ(0x8000, table[0]);
  for (uint16_t texel : table) EXPECT_EQ(0x8000, texel & 0x8000);

  BuildTextureColorTable(palette, kA4R4G4B4, table);
  EXPECT_EQ(0xFF00, table[2]);

  // Without alpha the top bit of a 5-5-5 format stays clear.
  BuildTextureColorTable(palette, kX1R5G5B5, table);
  EXPECT_EQ(0x7FFF, table[1]);
}

TEST(TextureConversion, FirstStoredRowEndsUpAsTheLastSurfaceRow) {
  std::vector<uint8_t> dib = MakeDib(4, 3, {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}});
  SetPaletteColour(dib, 9, 255, 255, 255);
  SetPaletteColour(dib, 1, 255, 0, 0);
  const TextureBitmap bitmap = ReadDib(dib);
  uint16_t table[kPaletteEntries];
  BuildTextureColorTable(bitmap.palette, kR5G6B5, table);

  Surface surface(4, 3, 8);
  ASSERT_TRUE(ConvertTexturePixels(bitmap, table, surface.Lock()));
  // Surface (0, 0) is the first pixel of the last stored row, white.
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) {
      const int index = (2 - y) * 4 + x + 1;
      EXPECT_EQ(table[index], surface.Texel(x, y)) << x << "," << y;
    }
  }
  EXPECT_TRUE(surface.GuardsUntouched());
}

TEST(TextureConversion, NeverWritesPastASmallerSurface) {
  const TextureBitmap bitmap = ReadDib(MakeDib(4, 2, {{1, 2, 3, 4}, {5, 6, 7, 8}}));
  uint16_t table[kPaletteEntries] = {};
  const struct { int32_t width, height, pitch; } small[] = {
      {3, 2, 8}, {4, 1, 8}, {4, 2, 6}, {4, 2, -8}, {4, 2, 0}};
  for (const auto& s : small) {
    Surface surface(s.width, s.height, s.pitch > 0 ? s.pitch : 8);
    LockedTexels texels = surface.Lock();
    texels.pitch = s.pitch;
    EXPECT_FALSE(ConvertTexturePixels(bitmap, table, texels)) << s.width << "x" << s.height;
    for (size_t i = 0; i < surface.memory.size(); ++i) ASSERT_EQ(0xCD, surface.memory[i]);
  }
  EXPECT_FALSE(ConvertTexturePixels(bitmap, table, {nullptr, 8, 4, 2})) << "no memory";
  EXPECT_FALSE(ConvertTexturePixels(TextureBitmap(), table, Surface(4, 2, 8).Lock()));
}
