#include "display/pixel_layout.h"

ChannelLayout ReadChannelLayout(uint32_t redMask, uint32_t greenMask, uint32_t blueMask,
                                uint32_t alphaMask, uint32_t rgbBitCount) {
  const uint32_t masks[4] = {redMask, greenMask, blueMask, alphaMask};
  // A format claiming more than 32 bits would shift past the width of the mask.
  const uint32_t positions = rgbBitCount > 32 ? 32 : rgbBitCount;
  ChannelLayout layout;
  for (uint32_t bit = 0; bit < positions; ++bit) {
    for (int channel = 0; channel < 4; ++channel) {
      if ((masks[channel] >> bit) & 1u) {
        ++layout.bits[channel];
        if (layout.shifts[channel] == kNoChannelShift) {
          layout.shifts[channel] = static_cast<uint8_t>(bit);
        }
      }
    }
  }
  return layout;
}

namespace {
uint32_t PackChannel(const ChannelLayout& layout, int channel, uint8_t value) {
  const int bits = layout.bits[channel];
  const int shift = layout.shifts[channel];
  // A palettised or alpha-only format has no such channel; shifting by the 255 marker would
  // be undefined.
  if (bits == 0 || shift >= 32) return 0;
  const uint32_t scaled = bits <= 8 ? static_cast<uint32_t>(value) >> (8 - bits)
                                    : static_cast<uint32_t>(value) << (bits - 8);
  return shift + bits > 32 ? 0 : scaled << shift;
}
}  // namespace

uint32_t PackColorFor(const ChannelLayout& layout, uint8_t red, uint8_t green, uint8_t blue) {
  return PackChannel(layout, kRed, red) | PackChannel(layout, kGreen, green) |
         PackChannel(layout, kBlue, blue);
}
