// Any bytes at all as a texture bitmap resource: the reader refuses them and keeps nothing, or
// gives a bitmap whose every pixel the conversion writes inside a surface of exactly its size.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "gfx3d/texture_bitmap.h"
#include "gfx3d/texture_conversion.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TextureBitmap bitmap;
  if (ReadTextureBitmap(data, size, bitmap) != TextureBitmapStatus::kOk) {
    Check(bitmap.width == 0 && bitmap.height == 0 && bitmap.pixels.empty());
    return 0;
  }
  Check(bitmap.width > 0 && bitmap.height > 0);
  Check(bitmap.width <= kMaxTextureSide && bitmap.height <= kMaxTextureSide);
  Check(bitmap.pixels.size() == size_t(bitmap.width) * size_t(bitmap.height));
  // Every stored pixel came from the bytes given.
  Check(kDibHeaderBytes + bitmap.pixels.size() <= size);

  const TexturePixelFormat r5g6b5{kPixelFormatRgb, 16, 0xF800, 0x07E0, 0x001F, 0};
  uint16_t table[kPaletteEntries];
  BuildTextureColorTable(bitmap.palette, r5g6b5, table);

  // A surface of exactly the bitmap's size: ASan sees any write past it.
  std::vector<uint8_t> texels(size_t(bitmap.width) * 2 * size_t(bitmap.height));
  const LockedTexels surface{texels.data(), bitmap.width * 2, bitmap.width, bitmap.height};
  Check(ConvertTexturePixels(bitmap, table, surface));
  // The first stored pixel is the first one of the surface's last row.
  const size_t last = size_t(bitmap.height - 1) * size_t(surface.pitch);
  Check((texels[last] | (texels[last + 1] << 8)) == table[bitmap.pixels[0]]);
  return 0;
}
