// The window icon: a night-blue badge with the chrome slanted V of the logo and, from 32 px
// up, the chequered strip of the title emblem. Each size is drawn at its own size rather than
// scaled, so the small ones stay crisp.
#include "tools/art/common/art_common.h"
#include "tools/art/common/house_style.h"
#include "tools/art/common/ico_file.h"

#include <algorithm>
#include <memory>

namespace {

void DrawIcon(cairo_t* cr, int size) {
  const double s = size;
  const double margin = size <= 16 ? 0.5 : s * 0.04;
  RoundedRectPath(cr, margin, margin, s - 2 * margin, s - 2 * margin, s * 0.2);
  cairo_pattern_t* badge = VerticalGradient(0, s, {{0, HexRgb(0x2A4A8A)}, {1, HexRgb(0x0A1228)}});
  cairo_set_source(cr, badge);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(badge);
  cairo_set_line_width(cr, std::max(1.0, s / 24));
  SetSource(cr, HexRgb(0xFF9A2A));
  cairo_stroke(cr);

  if (size >= 32) {
    const int columns = 8;
    const double cell = (s - 2 * margin - s * 0.24) / columns;
    const double left = margin + s * 0.12, top = margin + s * 0.1;
    for (int r = 0; r < 2; ++r)
      for (int c = 0; c < columns; ++c) {
        SetSource(cr, (r + c) % 2 ? HexRgb(0x1A1A24) : HexRgb(0xF4F4F8));
        cairo_rectangle(cr, left + c * cell, top + r * cell * 0.8, cell, cell * 0.8);
        cairo_fill(cr);
      }
  }

  // The V, as two slanted strokes meeting low in the badge.
  const double top = size >= 32 ? s * 0.34 : s * 0.18;
  const double bottom = s * 0.84;
  const double shear = s * 0.04;
  cairo_save(cr);
  RoundedRectPath(cr, margin, margin, s - 2 * margin, s - 2 * margin, s * 0.2);
  cairo_clip(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, s * 0.25 + shear, top);
  cairo_line_to(cr, s * 0.49, bottom);
  cairo_line_to(cr, s * 0.75 + shear, top);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_width(cr, s * 0.19);
  SetSource(cr, HexRgb(0x3A0610));
  cairo_stroke_preserve(cr);
  cairo_pattern_t* chrome = VerticalGradient(top, bottom, {
      {0.0, HexRgb(0xFFFFFF)}, {0.45, HexRgb(0xBFD8F2)}, {0.55, HexRgb(0x5676B8)}, {1.0, HexRgb(0xE8F0FF)}});
  cairo_set_source(cr, chrome);
  cairo_set_line_width(cr, s * 0.11);
  cairo_stroke(cr);
  cairo_pattern_destroy(chrome);
  cairo_restore(cr);
}

void GenerateIcon(const ArtContext& context) {
  const int sizes[] = {16, 32, 48, 256};
  std::vector<cairo_surface_t*> images;
  std::vector<std::unique_ptr<Canvas>> canvases;
  for (int size : sizes) {
    canvases.push_back(std::make_unique<Canvas>(size, size));
    DrawIcon(canvases.back()->cr(), size);
    cairo_surface_flush(canvases.back()->surface());
    images.push_back(canvases.back()->surface());
  }
  ArtCheck(WriteFileBytes(context.IconPath(), EncodeIco(images)), "cannot write the icon");

  // Preview: every size side by side on the title's black.
  Canvas sheet(16 + 32 + 48 + 256 + 5 * 8, 256 + 16);
  cairo_set_source_rgb(sheet.cr(), 0, 0, 0);
  cairo_paint(sheet.cr());
  double x = 8;
  for (size_t i = 0; i < images.size(); ++i) {
    cairo_set_source_surface(sheet.cr(), images[i], x, 8);
    cairo_paint(sheet.cr());
    x += sizes[i] + 8;
  }
  ArtCheck(cairo_surface_write_to_png(sheet.surface(), context.PreviewPath("ICON").c_str()) == CAIRO_STATUS_SUCCESS,
           "cannot write the icon preview");
}

ArtRegistration registration("ICON", &GenerateIcon);

}  // namespace
