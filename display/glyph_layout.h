// Where each character of a bitmap-font text comes from and where it goes. Portable: the
// Windows side only turns these rectangles into blits.
//
// A font bitmap is a grid of cells `cellWidth` wide and twice as tall, one glyph per
// character code, starting with the space (code 32) at the top left and running along the
// rows. The 8-pixel fonts have 48 cells a row (codes 32..127), the 16-pixel ones 40 (codes
// 32..126 and the half-width katakana 161..223).
#pragma once

#include <cstdint>

// Left, top, right, bottom in pixels; right and bottom exclusive.
struct PixelRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool operator==(const PixelRect& other) const {
    return left == other.left && top == other.top && right == other.right &&
           bottom == other.bottom;
  }
  // True when this rectangle lies wholly inside (0, 0, width, height).
  bool InsideOf(int32_t width, int32_t height) const {
    return left >= 0 && top >= 0 && right <= width && bottom <= height && left < right &&
           top < bottom;
  }
};

// The row length is not stored with a font: 48 for the 8-pixel cells, 40 for any other.
inline int32_t CellsPerRow(int32_t cellWidth) { return cellWidth == 8 ? 48 : 40; }

// The glyph cell of a character code. Codes below 32 give cells left of or above the bitmap
// (negative coordinates), which a caller treats like any cell outside the bitmap.
PixelRect GlyphSourceRect(uint8_t code, int32_t cellWidth);

// The cell of the index-th character of a text whose first cell is at (x, y).
PixelRect GlyphDestRect(int32_t x, int32_t y, int32_t index, int32_t cellWidth);

// How far a number text moves before and after a decimal point, so that the narrow "." does
// not leave gaps at the fixed pitch: trunc(-0.25 * cellWidth) and -trunc(0.45 * cellWidth).
int32_t KerningBeforePoint(int32_t cellWidth);
int32_t KerningAfterPoint(int32_t cellWidth);

// Walks a zero-terminated text as the bitmap-font text is drawn, at most maxChars characters:
// place(code, source, destination) for each one. Returns how many characters were handled.
template <typename Place>
int32_t WalkBitmapText(const char* text, int32_t maxChars, int32_t x, int32_t y,
                       int32_t cellWidth, Place&& place) {
  if (text == nullptr || maxChars < 1) return 0;
  int32_t i = 0;
  for (; i < maxChars; ++i) {
    const uint8_t code = static_cast<uint8_t>(text[i]);
    if (code == 0) break;
    place(code, GlyphSourceRect(code, cellWidth), GlyphDestRect(x, y, i, cellWidth));
  }
  return i;
}

// As WalkBitmapText, but a "." pulls itself and every later character left by the kerning,
// and x (the caller's) ends up moved by all of it.
template <typename Place>
int32_t WalkNumberText(const char* text, int32_t maxChars, int32_t& x, int32_t y,
                       int32_t cellWidth, Place&& place) {
  if (text == nullptr || maxChars < 1) return 0;
  int32_t i = 0;
  for (; i < maxChars; ++i) {
    const uint8_t code = static_cast<uint8_t>(text[i]);
    if (code == 0) break;
    if (code == '.') x += KerningBeforePoint(cellWidth);
    place(code, GlyphSourceRect(code, cellWidth), GlyphDestRect(x, y, i, cellWidth));
    if (code == '.') x += KerningAfterPoint(cellWidth);
  }
  return i;
}

inline bool IsDigitCode(uint8_t code) { return code >= '0' && code <= '9'; }
