// The generator's picture in the form the game stores it: 8 bits per pixel into a palette of
// at most 256 colours.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
  uint8_t r, g, b;
};

inline bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
inline bool operator!=(Rgb a, Rgb b) { return !(a == b); }

struct IndexedBitmap {
  int width = 0, height = 0;
  std::vector<Rgb> palette;     // <= 256
  std::vector<uint8_t> pixels;  // top-down rows, width * height

  Rgb ColorAt(int x, int y) const { return palette[pixels[size_t(y) * width + x]]; }
};

// (left, top, right, bottom) in pixels, right and bottom exclusive, as the game's blits take them.
struct ArtRect {
  int left, top, right, bottom;
};

// The 16-bit back buffers pack a colour by dropping low bits; a visible pixel of a keyed picture
// must not land on 0 there, or it would turn transparent on a 16-bit display.
inline uint16_t Pack565(Rgb c) { return uint16_t(((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3)); }
inline uint16_t Pack555(Rgb c) { return uint16_t(((c.r >> 3) << 10) | ((c.g >> 3) << 5) | (c.b >> 3)); }
inline bool IsKeyBlack(Rgb c) { return c.r == 0 && c.g == 0 && c.b == 0; }
inline bool SurvivesSixteenBits(Rgb c) { return Pack565(c) != 0 && Pack555(c) != 0; }

// Windows BMP, 8 bpp, 256-entry palette (unused entries zero), uncompressed, rows bottom-up
// padded to 4 bytes. The bytes depend on nothing but the bitmap (no timestamps), so a
// regenerated file is identical to the committed one.
std::vector<uint8_t> EncodeBmp8(const IndexedBitmap& bitmap);
bool WriteBmp8(const std::string& path, const IndexedBitmap& bitmap);

// Reads back what WriteBmp8 writes (and any 8-bit uncompressed BMP of either row order).
// Returns false with a reason in *error for anything else or for a file that lies about its
// sizes.
bool DecodeBmp8(const std::vector<uint8_t>& bytes, IndexedBitmap* bitmap, std::string* error);
bool ReadBmp8(const std::string& path, IndexedBitmap* bitmap, std::string* error);

// Whole-file helpers shared by the writers and the tests.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>* bytes);
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
