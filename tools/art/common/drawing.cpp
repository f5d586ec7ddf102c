#include "tools/art/common/drawing.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <map>

#include "tools/art/common/registry.h"

const char* const kFontRounded = "/usr/share/fonts/truetype/motoya-l-maruberi/MTLmr3m.ttf";
const char* const kFontBlack = "/usr/share/fonts/opentype/mplus/Mplus1-Black.otf";
const char* const kFontExtraBold = "/usr/share/fonts/opentype/mplus/Mplus1-ExtraBold.otf";
const char* const kFontSansBold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
const char* const kFontSansCondensedBold = "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf";

Canvas::Canvas(int width, int height) : width_(width), height_(height) {
  surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  ArtCheck(cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS, "cannot create a canvas");
  cr_ = cairo_create(surface_);
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

cairo_font_face_t* FontFace(const std::string& path) {
  // Faces live until the process ends: cairo may keep glyphs cached against them.
  static FT_Library library = nullptr;
  static std::map<std::string, cairo_font_face_t*> faces;
  auto found = faces.find(path);
  if (found != faces.end()) return found->second;
  if (!library) ArtCheck(FT_Init_FreeType(&library) == 0, "FreeType cannot start");
  FT_Face ft_face = nullptr;
  ArtCheck(FT_New_Face(library, path.c_str(), 0, &ft_face) == 0,
           "cannot open font " + path + " (is its Debian package installed? see tools/install-deps.sh)");
  cairo_font_face_t* face = cairo_ft_font_face_create_for_ft_face(ft_face, 0);
  ArtCheck(cairo_font_face_status(face) == CAIRO_STATUS_SUCCESS, "cairo cannot use font " + path);
  faces[path] = face;
  return face;
}

void SetFont(cairo_t* cr, cairo_font_face_t* face, double pixel_size) {
  cairo_set_font_face(cr, face);
  cairo_set_font_size(cr, pixel_size);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

Rgb HexRgb(uint32_t rrggbb) { return Rgb{uint8_t(rrggbb >> 16), uint8_t(rrggbb >> 8), uint8_t(rrggbb)}; }

void SetSource(cairo_t* cr, Rgb c, double alpha) {
  cairo_set_source_rgba(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha);
}

cairo_pattern_t* LinearGradient(double x0, double y0, double x1, double y1,
                                std::initializer_list<GradientStop> stops) {
  cairo_pattern_t* pattern = cairo_pattern_create_linear(x0, y0, x1, y1);
  for (const GradientStop& s : stops)
    cairo_pattern_add_color_stop_rgba(pattern, s.offset, s.color.r / 255.0, s.color.g / 255.0,
                                      s.color.b / 255.0, s.alpha);
  return pattern;
}

cairo_pattern_t* VerticalGradient(double y0, double y1, std::initializer_list<GradientStop> stops) {
  return LinearGradient(0, y0, 0, y1, stops);
}

void RoundedRectPath(cairo_t* cr, double x, double y, double width, double height, double radius) {
  const double pi = 3.14159265358979323846;
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + width - radius, y + radius, radius, -pi / 2, 0);
  cairo_arc(cr, x + width - radius, y + height - radius, radius, 0, pi / 2);
  cairo_arc(cr, x + radius, y + height - radius, radius, pi / 2, pi);
  cairo_arc(cr, x + radius, y + radius, radius, pi, 3 * pi / 2);
  cairo_close_path(cr);
}

namespace {

// Appends the text's outline to the current path, one character at a time so that letter
// spacing applies; returns the pen advance.
double TextPath(cairo_t* cr, const std::string& utf8, double x, double y, const TextStyle& style) {
  SetFont(cr, style.face, style.size);
  double pen = x;
  size_t i = 0;
  while (i < utf8.size()) {
    size_t length = 1;
    const unsigned char lead = utf8[i];
    if (lead >= 0xF0) length = 4;
    else if (lead >= 0xE0) length = 3;
    else if (lead >= 0xC0) length = 2;
    const std::string one = utf8.substr(i, length);
    i += length;
    cairo_text_extents_t extents;
    cairo_text_extents(cr, one.c_str(), &extents);
    cairo_move_to(cr, pen, y);
    cairo_text_path(cr, one.c_str());
    pen += extents.x_advance + style.letter_spacing;
  }
  return pen - x;
}

void SetStroke(cairo_t* cr, double width) {
  cairo_set_line_width(cr, width);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
}

}  // namespace

InkBox MeasureText(cairo_t* cr, const std::string& utf8, const TextStyle& style) {
  ArtCheck(style.face != nullptr, "text style without a font face");
  // Measured from the flattened outline on a context of its own, over an unbounded recording
  // surface: cairo cuts fill and stroke extents down to the clip of the context they are asked
  // on, and leaves glyphs far outside a bounded surface out of the path altogether.
  (void)cr;
  static cairo_surface_t* scratch_surface = cairo_recording_surface_create(CAIRO_CONTENT_ALPHA, nullptr);
  static cairo_t* scratch = cairo_create(scratch_surface);
  cairo_new_path(scratch);
  InkBox box{};
  box.advance = TextPath(scratch, utf8, 0, 0, style);
  cairo_path_t* path = cairo_copy_path_flat(scratch);
  // Only points that are drawn count: a move_to alone (the pen placed before each character)
  // is not ink.
  bool any = false;
  auto take = [&](double x, double y) {
    if (!any) {
      box.left = box.right = x;
      box.top = box.bottom = y;
      any = true;
    }
    box.left = std::min(box.left, x);
    box.right = std::max(box.right, x);
    box.top = std::min(box.top, y);
    box.bottom = std::max(box.bottom, y);
  };
  double start_x = 0, start_y = 0;
  bool start_pending = false;
  for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
    const cairo_path_data_t& header = path->data[i];
    if (header.header.type == CAIRO_PATH_MOVE_TO) {
      start_x = path->data[i + 1].point.x;
      start_y = path->data[i + 1].point.y;
      start_pending = true;
    } else if (header.header.type == CAIRO_PATH_LINE_TO) {
      if (start_pending) take(start_x, start_y);
      start_pending = false;
      take(path->data[i + 1].point.x, path->data[i + 1].point.y);
    }
  }
  cairo_path_destroy(path);
  cairo_new_path(scratch);
  const double grow = style.embolden + style.outline_width;
  box.left -= grow;
  box.top -= grow;
  box.right += grow;
  box.bottom += grow;
  return box;
}

void DrawText(cairo_t* cr, const std::string& utf8, double x, double y, const TextStyle& style) {
  ArtCheck(style.face != nullptr, "text style without a font face");
  cairo_save(cr);
  cairo_new_path(cr);
  if (style.shadow_alpha > 0) {
    TextPath(cr, utf8, x + style.shadow_dx, y + style.shadow_dy, style);
    SetSource(cr, style.shadow, style.shadow_alpha);
    SetStroke(cr, 2 * (style.embolden + style.outline_width));
    cairo_fill_preserve(cr);
    if (style.embolden + style.outline_width > 0) cairo_stroke(cr);
    cairo_new_path(cr);
  }
  TextPath(cr, utf8, x, y, style);
  if (style.outline_width > 0) {
    SetSource(cr, style.outline);
    SetStroke(cr, 2 * (style.embolden + style.outline_width));
    cairo_stroke_preserve(cr);
    cairo_fill_preserve(cr);
  }
  if (style.fill_pattern) cairo_set_source(cr, style.fill_pattern);
  else SetSource(cr, style.fill);
  if (style.embolden > 0) {
    SetStroke(cr, 2 * style.embolden);
    cairo_stroke_preserve(cr);
  }
  cairo_fill(cr);
  cairo_restore(cr);
}

void DrawTextCentered(cairo_t* cr, const std::string& utf8, double cx, double cy, const TextStyle& style) {
  const InkBox box = MeasureText(cr, utf8, style);
  DrawText(cr, utf8, cx - (box.left + box.right) / 2, cy - (box.top + box.bottom) / 2, style);
}

void DrawTextCenteredOnBaseline(cairo_t* cr, const std::string& utf8, double cx, double baseline,
                                const TextStyle& style) {
  const InkBox box = MeasureText(cr, utf8, style);
  DrawText(cr, utf8, cx - (box.left + box.right) / 2, baseline, style);
}
