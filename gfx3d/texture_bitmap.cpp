#include "gfx3d/texture_bitmap.h"

#include <new>
#include <utility>

namespace {

uint32_t ReadU32(const uint8_t* at) {
  return uint32_t(at[0]) | (uint32_t(at[1]) << 8) | (uint32_t(at[2]) << 16) |
         (uint32_t(at[3]) << 24);
}
uint16_t ReadU16(const uint8_t* at) { return uint16_t(at[0] | (at[1] << 8)); }

TextureBitmapStatus Refuse(TextureBitmap& out, TextureBitmapStatus status) {
  out = TextureBitmap();
  return status;
}

}  // namespace

TextureBitmapStatus ReadTextureBitmap(const uint8_t* bytes, size_t size, TextureBitmap& out) {
  if (bytes == nullptr || size < kDibHeaderBytes) {
    return Refuse(out, TextureBitmapStatus::kTooShort);
  }
  if (ReadU16(bytes + kDibBitCountOffset) != 8) return Refuse(out, TextureBitmapStatus::kNot8Bit);
  if (ReadU32(bytes + kDibCompressionOffset) != 0) {
    return Refuse(out, TextureBitmapStatus::kCompressed);
  }

  const uint32_t headerBytes = ReadU32(bytes);
  const int32_t width = static_cast<int32_t>(ReadU32(bytes + kDibWidthOffset));
  const int32_t height = static_cast<int32_t>(ReadU32(bytes + kDibHeightOffset));
  // A negative height would mean a top-down bitmap; the resources are never stored that way,
  // so it is taken as damage like any other impossible size.
  if (headerBytes < kDibHeaderBytes || width <= 0 || height <= 0 || width > kMaxTextureSide ||
      height > kMaxTextureSide) {
    return Refuse(out, TextureBitmapStatus::kBadSize);
  }

  uint32_t colours = ReadU32(bytes + kDibColoursUsedOffset);
  if (colours == 0) colours = kPaletteEntries;
  if (colours > kPaletteEntries) return Refuse(out, TextureBitmapStatus::kBadPalette);

  // All in 64 bits: the header size is whatever the bytes say, up to 4 GiB.
  const uint64_t paletteAt = headerBytes;
  const uint64_t pixelsAt = paletteAt + uint64_t(colours) * kPaletteEntryBytes;
  const uint64_t stride = (uint64_t(width) + 3) & ~uint64_t(3);
  const uint64_t end = pixelsAt + stride * uint64_t(height);
  if (end > size) return Refuse(out, TextureBitmapStatus::kTruncated);

  TextureBitmap bitmap;
  bitmap.width = width;
  bitmap.height = height;
  for (uint32_t i = 0; i < colours; ++i) {
    const uint8_t* entry = bytes + paletteAt + i * kPaletteEntryBytes;
    bitmap.palette[i] = PaletteEntry{entry[0], entry[1], entry[2], entry[3]};
  }
  try {
    bitmap.pixels.resize(size_t(width) * size_t(height));
  } catch (const std::bad_alloc&) {
    return Refuse(out, TextureBitmapStatus::kOutOfMemory);
  }
  for (int32_t row = 0; row < height; ++row) {
    const uint8_t* source = bytes + pixelsAt + stride * uint64_t(row);
    uint8_t* destination = bitmap.pixels.data() + size_t(row) * size_t(width);
    for (int32_t x = 0; x < width; ++x) destination[x] = source[x];
  }
  out = std::move(bitmap);
  return TextureBitmapStatus::kOk;
}
