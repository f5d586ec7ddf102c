#include "tools/art/common/house_style.h"

TextStyle PopLettering(double pixel_size, Rgb outline) {
  TextStyle style;
  style.face = FontFace(kFontRounded);
  style.size = pixel_size;
  style.embolden = pixel_size * 0.045;
  style.outline = outline;
  style.outline_width = pixel_size * 0.065;
  return style;
}

cairo_pattern_t* PopGradient(double top, double bottom, Rgb top_color, Rgb bottom_color) {
  return VerticalGradient(top, bottom, {{0.0, top_color}, {1.0, bottom_color}});
}

void DrawTextFitted(cairo_t* cr, const std::string& utf8, double cx, double baseline, double max_width,
                    const TextStyle& style) {
  const InkBox ink = MeasureText(cr, utf8, style);
  const double width = ink.right - ink.left;
  const double sx = width > max_width ? max_width / width : 1.0;
  cairo_save(cr);
  cairo_translate(cr, cx, baseline);
  cairo_scale(cr, sx, 1.0);
  if (style.fill_pattern) {
    // The gradient was given in the caller's space; keep it there: the pattern matrix now
    // first maps the squeezed space back to the caller's.
    cairo_matrix_t to_caller;
    cairo_matrix_init_translate(&to_caller, cx, baseline);
    cairo_matrix_scale(&to_caller, sx, 1.0);
    cairo_matrix_t pattern_matrix;
    cairo_pattern_get_matrix(style.fill_pattern, &pattern_matrix);
    cairo_matrix_t combined;
    cairo_matrix_multiply(&combined, &to_caller, &pattern_matrix);
    cairo_pattern_set_matrix(style.fill_pattern, &combined);
    DrawText(cr, utf8, -(ink.left + ink.right) / 2, 0, style);
    cairo_pattern_set_matrix(style.fill_pattern, &pattern_matrix);
  } else {
    DrawText(cr, utf8, -(ink.left + ink.right) / 2, 0, style);
  }
  cairo_restore(cr);
}

void DrawScreenHeading(cairo_t* cr, const std::string& utf8, const ArtRect& band) {
  const double width = band.right - band.left, height = band.bottom - band.top;
  const double cx = band.left + width / 2;
  const double size = height * 0.66;
  const double baseline = band.top + height * 0.70;
  cairo_save(cr);
  cairo_rectangle(cr, band.left, band.top, width, height);
  cairo_clip(cr);

  // The pin line under the lettering, fading out to both ends.
  cairo_pattern_t* line = LinearGradient(band.left, 0, band.right, 0,
      {{0.0, Gold(), 0.0}, {0.2, Gold()}, {0.8, Gold()}, {1.0, Gold(), 0.0}});
  cairo_set_source(cr, line);
  cairo_rectangle(cr, band.left + 2, baseline + height * 0.08, width - 4, 2.5);
  cairo_fill(cr);
  cairo_pattern_destroy(line);

  TextStyle style = PopLettering(size, HexRgb(0x3A0A04));
  cairo_pattern_t* fill = VerticalGradient(baseline - size * 0.75, baseline,
      {{0.0, HexRgb(0xFFF4B0)}, {0.45, HexRgb(0xFFB23A)}, {1.0, HexRgb(0xE8401A)}});
  style.fill_pattern = fill;
  style.letter_spacing = size * 0.04;
  cairo_translate(cr, cx, baseline);
  cairo_matrix_t slant;
  cairo_matrix_init(&slant, 1, 0, -0.16, 1, 0, 0);
  cairo_transform(cr, &slant);
  cairo_translate(cr, -cx, -baseline);
  DrawTextFitted(cr, utf8, cx, baseline, width - 12 - height * 0.2, style);
  cairo_pattern_destroy(fill);
  cairo_restore(cr);
}

void DrawPointer(cairo_t* cr, double tip_x, double cy, double length, double half_height, int direction) {
  const double back = tip_x - direction * length;
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, back, cy - half_height);
  cairo_line_to(cr, tip_x, cy);
  cairo_line_to(cr, back, cy + half_height);
  cairo_line_to(cr, back + direction * length * 0.28, cy);
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 2.5);
  SetSource(cr, HexRgb(0x5A1A04));
  cairo_stroke_preserve(cr);
  cairo_pattern_t* orange = VerticalGradient(cy - half_height, cy + half_height,
      {{0, HexRgb(0xFFE08A)}, {0.5, HexRgb(0xFF9A2A)}, {1, HexRgb(0xD84A0A)}});
  cairo_set_source(cr, orange);
  cairo_fill(cr);
  cairo_pattern_destroy(orange);
  cairo_restore(cr);
}
