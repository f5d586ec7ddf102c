// Choosing a 16-bit texture format and converting an 8-bit bitmap into it.
//
// The device lists the formats it can texture from; the loader takes the first 16-bit RGB
// format with an alpha channel (so that every texel can be marked opaque), else the last
// 16-bit RGB format listed. Each palette colour is cut down to the chosen channel widths and
// every pixel is written through that table, flipping the bottom-up bitmap upright.
#pragma once

#include <cstddef>
#include <cstdint>

#include "display/pixel_layout.h"
#include "gfx3d/texture_bitmap.h"

// The parts of DirectDraw's DDPIXELFORMAT the choice and the conversion need.
struct TexturePixelFormat {
  uint32_t flags = 0;          // DDPF_* bits
  uint32_t rgb_bit_count = 0;  // bits per pixel
  uint32_t red_mask = 0;
  uint32_t green_mask = 0;
  uint32_t blue_mask = 0;
  uint32_t alpha_mask = 0;
};

// DirectDraw's values of the two flags that matter here.
constexpr uint32_t kPixelFormatAlphaPixels = 0x00000001;  // DDPF_ALPHAPIXELS
constexpr uint32_t kPixelFormatRgb = 0x00000040;          // DDPF_RGB

// One step of the format enumeration: whether the device's format `offered` replaces the
// candidate so far, and whether the choice is then final.
enum class FormatVerdict {
  kSkip,         // not 16-bit RGB
  kTake,         // 16-bit RGB without alpha: taken, but a later one may replace it
  kTakeAndStop,  // 16-bit RGB with alpha: the choice
};
FormatVerdict JudgeTextureFormat(const TexturePixelFormat& offered);

// The width and lowest bit of each channel, read as for the back buffer's format.
ChannelLayout ChannelLayoutOf(const TexturePixelFormat& format);

// The 16-bit texel of every palette entry: each 8-bit colour cut to its channel's width and
// moved to its place, with the whole alpha mask set so that every texel is opaque.
void BuildTextureColorTable(const PaletteEntry palette[kPaletteEntries],
                            const TexturePixelFormat& format, uint16_t table[kPaletteEntries]);

// The locked surface the texels go to.
struct LockedTexels {
  uint8_t* memory = nullptr;
  int32_t pitch = 0;     // bytes from one row to the next, as the lock reports it
  int32_t width = 0;     // pixels
  int32_t height = 0;    // pixels
};

// Writes every pixel of `bitmap` through `table`: stored row r lands on surface row
// height - 1 - r. False (nothing written) when the surface is smaller than the bitmap or its
// pitch cannot hold a row, so a surface the driver made differently is never overrun.
bool ConvertTexturePixels(const TextureBitmap& bitmap, const uint16_t table[kPaletteEntries],
                          const LockedTexels& surface);
