// Cairo conveniences shared by every picture: canvases, fonts from Debian's font packages,
// outlined lettering, gradients and rounded shapes.
#pragma once

#include <cairo.h>

#include <initializer_list>
#include <string>

#include "tools/art/common/indexed_bitmap.h"

// Font files from Debian packages (fonts-motoya-l-maruberi, fonts-mplus, fonts-dejavu-core).
// The generator loads them by path, never through fontconfig, so a user's font settings cannot
// change the output.
extern const char* const kFontRounded;    // Motoya L Maruberi: rounded, with half-width katakana
extern const char* const kFontBlack;      // M+ 1 Black: heavy square sans
extern const char* const kFontExtraBold;  // M+ 1 ExtraBold
extern const char* const kFontSansBold;   // DejaVu Sans Bold
extern const char* const kFontSansCondensedBold;  // DejaVu Sans Condensed Bold

// A transparent ARGB32 picture with its drawing context; frees both when it goes.
class Canvas {
 public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }
  cairo_surface_t* surface() const { return surface_; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_, height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// A face for cairo from a font file; loaded once and kept for the whole run. Throws ArtError
// when the file is missing (the package is not installed).
cairo_font_face_t* FontFace(const std::string& path);

// Selects the face at a pixel size with fixed rendering options (grey anti-aliasing, no
// hinting) so the same file renders the same everywhere.
void SetFont(cairo_t* cr, cairo_font_face_t* face, double pixel_size);

Rgb HexRgb(uint32_t rrggbb);
void SetSource(cairo_t* cr, Rgb c, double alpha = 1.0);

struct GradientStop {
  double offset;  // 0..1
  Rgb color;
  double alpha = 1.0;
};
// Caller owns the pattern (cairo_pattern_destroy).
cairo_pattern_t* LinearGradient(double x0, double y0, double x1, double y1,
                                std::initializer_list<GradientStop> stops);
cairo_pattern_t* VerticalGradient(double y0, double y1, std::initializer_list<GradientStop> stops);

void RoundedRectPath(cairo_t* cr, double x, double y, double width, double height, double radius);

// How one piece of lettering is painted, from the back: a drop shadow, a dark outline, and the
// face itself, optionally thickened by a stroke of its own colour (round joins, which is what
// makes a thin rounded font look like a bold "pop" face).
struct TextStyle {
  cairo_font_face_t* face = nullptr;
  double size = 16;               // px
  Rgb fill{255, 255, 255};
  cairo_pattern_t* fill_pattern = nullptr;  // used instead of fill when set; not owned
  double embolden = 0;            // px the face grows on every side
  Rgb outline{0, 0, 0};
  double outline_width = 0;       // px of outline around the (emboldened) face, every side
  Rgb shadow{0, 0, 0};
  double shadow_alpha = 0;
  double shadow_dx = 0, shadow_dy = 0;  // px
  double letter_spacing = 0;      // px added after every character
};

struct InkBox {
  double left, top, right, bottom;  // relative to the pen origin, includes strokes
  double advance;                   // pen advance, letter spacing included
};

// The ink the text would cover if drawn at the origin, strokes included.
InkBox MeasureText(cairo_t* cr, const std::string& utf8, const TextStyle& style);

// Draws with the pen at (x, y) on the baseline.
void DrawText(cairo_t* cr, const std::string& utf8, double x, double y, const TextStyle& style);

// Draws centred, by ink, on (cx, cy).
void DrawTextCentered(cairo_t* cr, const std::string& utf8, double cx, double cy, const TextStyle& style);

// Draws with the ink's horizontal centre at cx and the pen on the given baseline.
void DrawTextCenteredOnBaseline(cairo_t* cr, const std::string& utf8, double cx, double baseline,
                                const TextStyle& style);
