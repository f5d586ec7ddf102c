#include "display/glyph_layout.h"

PixelRect GlyphSourceRect(uint8_t code, int32_t cellWidth) {
  const int32_t cell = static_cast<int32_t>(code) - 32;
  const int32_t perRow = CellsPerRow(cellWidth);
  // C++ division truncates towards zero, so a negative cell stays left of the bitmap's
  // first column (and on its first row) rather than wrapping onto a real glyph.
  const int32_t column = cell % perRow;
  const int32_t row = cell / perRow;
  PixelRect rect;
  rect.left = column * cellWidth;
  rect.top = row * 2 * cellWidth;
  rect.right = rect.left + cellWidth;
  rect.bottom = rect.top + 2 * cellWidth;
  return rect;
}

PixelRect GlyphDestRect(int32_t x, int32_t y, int32_t index, int32_t cellWidth) {
  PixelRect rect;
  rect.left = x + index * cellWidth;
  rect.top = y;
  rect.right = rect.left + cellWidth;
  rect.bottom = rect.top + 2 * cellWidth;
  return rect;
}

int32_t KerningBeforePoint(int32_t cellWidth) {
  return static_cast<int32_t>(-0.25 * cellWidth);
}

int32_t KerningAfterPoint(int32_t cellWidth) {
  return -static_cast<int32_t>(0.45 * cellWidth);
}
