#include "tools/art/common/preview.h"

#include <cairo.h>

#include <algorithm>

#include "tools/art/common/registry.h"

namespace {

cairo_surface_t* ToSurface(const IndexedBitmap& bitmap) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, bitmap.width, bitmap.height);
  ArtCheck(cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS, "preview: cannot create surface");
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < bitmap.height; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
    for (int x = 0; x < bitmap.width; ++x) {
      const uint8_t index = bitmap.pixels[size_t(y) * bitmap.width + x];
      const Rgb c = index < bitmap.palette.size() ? bitmap.palette[index] : Rgb{255, 0, 255};
      row[x] = (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b;
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

void SavePng(cairo_surface_t* surface, const std::string& path) {
  ArtCheck(cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS,
           "cannot write preview " + path);
}

}  // namespace

void WritePreviewPng(const std::string& path, const IndexedBitmap& bitmap,
                     const std::vector<ArtRect>& outlines) {
  cairo_surface_t* surface = ToSurface(bitmap);
  cairo_t* cr = cairo_create(surface);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_set_line_width(cr, 1.0);
  cairo_set_source_rgba(cr, 1.0, 0.0, 1.0, 0.55);
  for (const ArtRect& r : outlines) {
    cairo_rectangle(cr, r.left + 0.5, r.top + 0.5, r.right - r.left - 1, r.bottom - r.top - 1);
    cairo_stroke(cr);
  }
  cairo_destroy(cr);
  SavePng(surface, path);
  cairo_surface_destroy(surface);
}

std::vector<ArtRect> FontCellOutlines(int sheet_width, int sheet_height, int cell_width) {
  std::vector<ArtRect> cells;
  for (int top = 0; top + 2 * cell_width <= sheet_height; top += 2 * cell_width)
    for (int left = 0; left + cell_width <= sheet_width; left += cell_width)
      cells.push_back(ArtRect{left, top, left + cell_width, top + 2 * cell_width});
  return cells;
}

void WriteContactSheetPng(const std::string& path, const std::vector<ContactItem>& items, int max_width) {
  constexpr int kGap = 12, kLabel = 16;
  struct Placed { int x, y; };
  std::vector<Placed> placed;
  int x = kGap, y = kGap, row_height = 0, width = 0;
  for (const ContactItem& item : items) {
    if (x > kGap && x + item.bitmap.width + kGap > max_width) {
      x = kGap;
      y += row_height + kGap;
      row_height = 0;
    }
    placed.push_back({x, y});
    x += item.bitmap.width + kGap;
    width = std::max(width, x);
    row_height = std::max(row_height, item.bitmap.height + kLabel);
  }
  const int height = y + row_height + kGap;
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(width, 1), height);
  cairo_t* cr = cairo_create(sheet);
  // A mid grey that no picture uses for its background shows where each picture's black
  // (transparent) area ends.
  cairo_set_source_rgb(cr, 0.28, 0.30, 0.34);
  cairo_paint(cr);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 11);
  for (size_t i = 0; i < items.size(); ++i) {
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_move_to(cr, placed[i].x, placed[i].y + 11);
    cairo_show_text(cr, items[i].label.c_str());
    cairo_surface_t* picture = ToSurface(items[i].bitmap);
    cairo_set_source_surface(cr, picture, placed[i].x, placed[i].y + kLabel);
    cairo_paint(cr);
    cairo_surface_destroy(picture);
  }
  cairo_destroy(cr);
  SavePng(sheet, path);
  cairo_surface_destroy(sheet);
}

void BlitBitmapRect(cairo_surface_t* target, const IndexedBitmap& bitmap, const ArtRect& source, int x, int y,
                    bool keyed) {
  cairo_surface_flush(target);
  unsigned char* data = cairo_image_surface_get_data(target);
  const int stride = cairo_image_surface_get_stride(target);
  const int tw = cairo_image_surface_get_width(target), th = cairo_image_surface_get_height(target);
  for (int sy = std::max(source.top, 0); sy < source.bottom && sy < bitmap.height; ++sy) {
    for (int sx = std::max(source.left, 0); sx < source.right && sx < bitmap.width; ++sx) {
      const int dx = x + sx - source.left, dy = y + sy - source.top;
      if (dx < 0 || dy < 0 || dx >= tw || dy >= th) continue;
      const Rgb c = bitmap.ColorAt(sx, sy);
      if (keyed && IsKeyBlack(c)) continue;
      reinterpret_cast<uint32_t*>(data + size_t(dy) * stride)[dx] =
          0xFF000000u | (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b;
    }
  }
  cairo_surface_mark_dirty(target);
}
