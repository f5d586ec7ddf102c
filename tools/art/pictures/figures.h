// Italic digital figures for the race read-outs: every figure of a set shares one size, one
// squeeze and one baseline, so a number set cell by cell reads as one line of type.
#pragma once

#include <cairo.h>

#include <string>

#include "tools/art/common/art_common.h"

namespace race_art {

struct FigureLook {
  double ink_height;     // px from the top of "0" to the baseline, outline included
  double max_width;      // px, the widest figure before leaning, outline included
  double slant;          // italic lean, px across per px up
  double outline_width;  // px
  Rgb top, bottom, outline;
};

// The font size and horizontal squeeze that make every figure 0..9 fit the look.
struct FigureFit {
  double size;       // px
  double x_scale;    // <= 1
  double ink_height; // px actually reached, outline included
};
FigureFit FitFigures(cairo_t* cr, const FigureLook& look);

// Draws text (one figure, or a short word) centred by its ink across the cell, its pen on
// `baseline` (px from the cell top), clipped to the cell.
void DrawFigure(cairo_t* cr, const std::string& text, const ArtRect& cell, double baseline,
                const FigureLook& look, const FigureFit& fit);

}  // namespace race_art
