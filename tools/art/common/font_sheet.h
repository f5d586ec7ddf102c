// Bitmap-font sheets: one glyph per fixed cell, code c in cell c - 32 counted along the rows.
#pragma once

#include <cairo.h>

#include <string>

#include "tools/art/common/drawing.h"

struct FontSheetLayout {
  int cell_width;     // px; cells are twice as tall
  int cells_per_row;  // 48 for 8-px cells, 40 otherwise, as the game's text drawing assumes
  int rows;

  int CellHeight() const { return 2 * cell_width; }
  int SheetWidth() const { return cell_width * cells_per_row; }
  int SheetHeight() const { return CellHeight() * rows; }
  ArtRect CellOf(int code) const {
    const int n = code - 32;
    const int left = (n % cells_per_row) * cell_width;
    const int top = (n / cells_per_row) * CellHeight();
    return ArtRect{left, top, left + cell_width, top + CellHeight()};
  }
};

constexpr FontSheetLayout kSmallFontLayout{8, 48, 2};   // 384 x 32, codes 32..127
constexpr FontSheetLayout kLargeFontLayout{16, 40, 5};  // 640 x 160, codes 32..231

// The character a code stands for, as UTF-8, or "" for a cell left empty. The small fonts show
// the yen sign at 92, as Japanese code pages do; the large fonts add the half-width katakana of
// JIS X 0201 at 161..223.
std::string SmallFontCharacter(int code);
std::string LargeFontCharacter(int code);

// How every glyph of one sheet is painted.
struct GlyphLook {
  TextStyle style;        // face, size, outline, emboldening; fill_pattern is made per cell
  double x_scale = 1.0;   // horizontal squeeze applied to every glyph
  double max_ink_width;   // px; wider glyphs are squeezed further to fit
  double baseline;        // px from the cell top
  Rgb fill_top, fill_bottom;  // vertical gradient of the face across the cell
};

// The look of the small 8 x 16 fonts in any colours: glyphs at most 7 px wide so neighbours
// never touch.
GlyphLook SmallFontLook(Rgb top, Rgb bottom, Rgb outline, double outline_width);

// Every glyph of a sheet, each in its cell, the sheet's top left at the user-space origin.
void DrawFontSheet(cairo_t* cr, const FontSheetLayout& layout, std::string (*character)(int),
                   const GlyphLook& look);

// Draws one glyph horizontally centred (by ink) in its cell, on the common baseline, clipped
// to the cell so nothing can spill into a neighbour.
void DrawGlyphInCell(cairo_t* cr, const std::string& utf8, const ArtRect& cell, const GlyphLook& look);

// For previews: text set the way the game sets it, one cell per character from the sheet onto
// an RGB24 or ARGB32 surface, skipping black pixels when keyed. Bytes are the game's
// single-byte codes (Shift-JIS half-width katakana included).
void BlitFontText(cairo_surface_t* target, const IndexedBitmap& sheet, const FontSheetLayout& layout,
                  const std::string& bytes, int x, int y, bool keyed);

// As the game's number text: digits from one sheet, everything else from the other, a "."
// pulled 4 px left and what follows it 11 px left (for 16-px cells).
void BlitNumberText(cairo_surface_t* target, const IndexedBitmap& digits, const IndexedBitmap& others,
                    const FontSheetLayout& layout, const std::string& bytes, int x, int y);
