#include "gfx3d/texture_conversion.h"

#include <cstring>

FormatVerdict JudgeTextureFormat(const TexturePixelFormat& offered) {
  if ((offered.flags & kPixelFormatRgb) == 0 || offered.rgb_bit_count != 16) {
    return FormatVerdict::kSkip;
  }
  return (offered.flags & kPixelFormatAlphaPixels) != 0 ? FormatVerdict::kTakeAndStop
                                                          : FormatVerdict::kTake;
}

ChannelLayout ChannelLayoutOf(const TexturePixelFormat& format) {
  // Every bit of each mask counts, whatever the format claims as its pixel size.
  return ReadChannelLayout(format.red_mask, format.green_mask, format.blue_mask,
                           format.alpha_mask, 32);
}

void BuildTextureColorTable(const PaletteEntry palette[kPaletteEntries],
                            const TexturePixelFormat& format, uint16_t table[kPaletteEntries]) {
  const ChannelLayout layout = ChannelLayoutOf(format);
  for (int i = 0; i < kPaletteEntries; ++i) {
    const uint32_t texel =
        PackColorFor(layout, palette[i].red, palette[i].green, palette[i].blue) | format.alpha_mask;
    table[i] = static_cast<uint16_t>(texel & 0xFFFF);
  }
}

bool ConvertTexturePixels(const TextureBitmap& bitmap, const uint16_t table[kPaletteEntries],
                          const LockedTexels& surface) {
  if (surface.memory == nullptr || bitmap.width <= 0 || bitmap.height <= 0) return false;
  if (bitmap.pixels.size() != size_t(bitmap.width) * size_t(bitmap.height)) return false;
  if (surface.width < bitmap.width || surface.height < bitmap.height) return false;
  // Whole 16-bit texels per row, as many as the bitmap is wide.
  const int64_t texelsPerRow = surface.pitch / 2;
  if (texelsPerRow < bitmap.width) return false;

  for (int32_t r = 0; r < bitmap.height; ++r) {
    const uint8_t* source = bitmap.pixels.data() + size_t(r) * size_t(bitmap.width);
    uint8_t* row = surface.memory + texelsPerRow * (bitmap.height - 1 - r) * 2;
    for (int32_t x = 0; x < bitmap.width; ++x) {
      const uint16_t texel = table[source[x]];
      // Little-endian, byte by byte: the locked memory need not be 2-byte aligned.
      row[size_t(x) * 2] = static_cast<uint8_t>(texel);
      row[size_t(x) * 2 + 1] = static_cast<uint8_t>(texel >> 8);
    }
  }
  return true;
}
