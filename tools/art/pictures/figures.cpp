#include "tools/art/pictures/figures.h"

#include <algorithm>

#include "tools/art/pictures/race_art.h"

namespace race_art {

namespace {

TextStyle FigureStyle(const FigureLook& look, double size) {
  TextStyle style;
  style.face = FigureFace();
  style.size = size;
  style.outline = look.outline;
  style.outline_width = look.outline_width;
  return style;
}

}  // namespace

FigureFit FitFigures(cairo_t* cr, const FigureLook& look) {
  constexpr double kProbe = 100.0;  // px; ink scales linearly with the size
  TextStyle probe = FigureStyle(look, kProbe);
  probe.outline_width = 0;
  const InkBox zero = MeasureText(cr, "0", probe);
  FigureFit fit{};
  fit.size = kProbe * (look.ink_height - 2 * look.outline_width) / -zero.top;
  const TextStyle sized = FigureStyle(look, fit.size);
  double widest = 0;
  for (char c = '0'; c <= '9'; ++c) {
    const InkBox ink = MeasureText(cr, std::string(1, c), sized);
    widest = std::max(widest, ink.right - ink.left);
  }
  fit.x_scale = std::min(1.0, look.max_width / widest);
  fit.ink_height = -MeasureText(cr, "0", sized).top;
  return fit;
}

void DrawFigure(cairo_t* cr, const std::string& text, const ArtRect& cell, double baseline,
                const FigureLook& look, const FigureFit& fit) {
  TextStyle style = FigureStyle(look, fit.size);
  const InkBox ink = MeasureText(cr, text, style);
  const double cell_width = cell.right - cell.left;
  cairo_save(cr);
  cairo_rectangle(cr, cell.left, cell.top, cell_width, cell.bottom - cell.top);
  cairo_clip(cr);
  cairo_translate(cr, cell.left + cell_width / 2, cell.top + baseline);
  // Leaning about the baseline moves the middle of the figure right by half its lean.
  cairo_translate(cr, -look.slant * fit.ink_height / 2, 0);
  LeanAbout(cr, 0, look.slant);
  cairo_scale(cr, fit.x_scale, 1.0);
  cairo_pattern_t* fill = VerticalGradient(-fit.ink_height, 0, {{0.1, look.top}, {0.9, look.bottom}});
  style.fill_pattern = fill;
  DrawText(cr, text, -(ink.left + ink.right) / 2, 0, style);
  cairo_pattern_destroy(fill);
  cairo_restore(cr);
}

}  // namespace race_art
