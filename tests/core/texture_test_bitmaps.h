// Hand-made 8-bit DIBs (no file header) for the texture tests.
#pragma once

#include <cstdint>
#include <vector>

namespace texture_test {

inline void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}
inline void PutU16(std::vector<uint8_t>& bytes, size_t at, uint16_t value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

// `rows` are in stored order (bottom row first), `width` indices each; every row is padded
// to a multiple of 4 bytes with `padding`. Palette entry i is (red i, green 255 - i, blue
// i / 2) unless the test overwrites it.
inline std::vector<uint8_t> MakeDib(int32_t width, int32_t height,
                                    const std::vector<std::vector<uint8_t>>& rows,
                                    uint8_t padding = 0xEE) {
  const size_t stride = (static_cast<size_t>(width) + 3) & ~size_t(3);
  std::vector<uint8_t> bytes(40 + 1024 + stride * rows.size(), 0);
  PutU32(bytes, 0, 40);
  PutU32(bytes, 4, static_cast<uint32_t>(width));
  PutU32(bytes, 8, static_cast<uint32_t>(height));
  PutU16(bytes, 12, 1);
  PutU16(bytes, 14, 8);
  PutU32(bytes, 32, 256);
  for (int i = 0; i < 256; ++i) {
    bytes[40 + 4 * i] = static_cast<uint8_t>(i / 2);    // blue
    bytes[40 + 4 * i + 1] = static_cast<uint8_t>(255 - i);  // green
    bytes[40 + 4 * i + 2] = static_cast<uint8_t>(i);    // red
  }
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t x = 0; x < stride; ++x) {
      bytes[1064 + r * stride + x] = x < rows[r].size() ? rows[r][x] : padding;
    }
  }
  return bytes;
}

inline void SetPaletteColour(std::vector<uint8_t>& dib, int index, uint8_t red, uint8_t green,
                             uint8_t blue) {
  dib[40 + 4 * index] = blue;
  dib[40 + 4 * index + 1] = green;
  dib[40 + 4 * index + 2] = red;
}

}  // namespace texture_test
