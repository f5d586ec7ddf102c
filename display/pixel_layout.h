// The back buffer's pixel layout, read from the channel masks of a DirectDraw pixel format,
// and the packing of an 8-bit-per-channel colour into it. Portable: the masks are plain
// integers here, so any format can be checked without a display.
#pragma once

#include <cstdint>

enum PixelChannel { kRed = 0, kGreen = 1, kBlue = 2, kAlpha = 3 };

// 255 as a shift marks a channel that has no bits in the format.
constexpr uint8_t kNoChannelShift = 255;

struct ChannelLayout {
  uint8_t bits[4] = {0, 0, 0, 0};    // number of mask bits of red, green, blue, alpha
  uint8_t shifts[4] = {kNoChannelShift, kNoChannelShift, kNoChannelShift, kNoChannelShift};
                                     // lowest mask bit of each channel
};

// Counts each mask's bits over the pixel's first rgbBitCount positions (at most 32) and notes
// the lowest one.
ChannelLayout ReadChannelLayout(uint32_t redMask, uint32_t greenMask, uint32_t blueMask,
                                uint32_t alphaMask, uint32_t rgbBitCount);

// Each channel keeps its top `bits` bits and moves to its shift; alpha is left 0. A channel
// without bits adds nothing, and one wider than 8 bits gets the value in its top 8 bits.
uint32_t PackColorFor(const ChannelLayout& layout, uint8_t red, uint8_t green, uint8_t blue);
