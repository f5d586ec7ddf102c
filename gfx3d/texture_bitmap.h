// The 8-bit bitmaps the race textures are made from, as the resource stores them: a Windows
// DIB without its file header. Read here into a private copy the texture loader converts.
//
//   offset        width          content
//   0             40 (or more)   BITMAPINFOHEADER; read: 0 header size (u32), 4 width (i32),
//                                8 height (i32, positive: rows bottom-up), 14 bit count (u16,
//                                must be 8), 16 compression (u32, must be 0 = BI_RGB),
//                                32 colours used (u32, 0 = all 256)
//   header size   4 x colours    palette entries: blue, green, red, reserved
//   after that    stride x H     palette indices, the first stored row is the bottom row;
//                                each row padded to a multiple of 4 bytes (stride)
//
// The game's textures are 256 x 256 with 256 colours, so the padding and the short palette
// never show there; they are honoured so that any other bitmap reads as it looks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr size_t kDibHeaderBytes = 40;
constexpr size_t kDibWidthOffset = 4;
constexpr size_t kDibHeightOffset = 8;
constexpr size_t kDibBitCountOffset = 14;
constexpr size_t kDibCompressionOffset = 16;
constexpr size_t kDibColoursUsedOffset = 32;
constexpr size_t kPaletteEntryBytes = 4;
constexpr int kPaletteEntries = 256;

// No Direct3D 6 device takes a texture side larger than this; a bigger header is damage.
constexpr int32_t kMaxTextureSide = 4096;

struct PaletteEntry {
  uint8_t blue;
  uint8_t green;
  uint8_t red;
  uint8_t reserved;
};
static_assert(sizeof(PaletteEntry) == kPaletteEntryBytes, "RGBQUAD");

struct TextureBitmap {
  int32_t width = 0;   // pixels
  int32_t height = 0;  // pixels
  PaletteEntry palette[kPaletteEntries] = {};  // entries past the stored ones are black
  // width x height palette indices, unpadded, in stored order (bottom row first).
  std::vector<uint8_t> pixels;
};

enum class TextureBitmapStatus {
  kOk,
  kTooShort,        // fewer bytes than the header
  kNot8Bit,         // bit count other than 8
  kCompressed,      // RLE or any other compression
  kBadSize,         // width or height not in 1..kMaxTextureSide, or a header size under 40
  kBadPalette,      // more than 256 colours used
  kTruncated,       // the palette or the rows run past the bytes given
  kOutOfMemory,
};

// Reads `size` bytes; every size and count is checked against them before it is used. On
// any status but kOk `out` is left empty.
TextureBitmapStatus ReadTextureBitmap(const uint8_t* bytes, size_t size, TextureBitmap& out);
