// The start-signal texture "TEX_SIG", 256 x 256 on black: seven 32 x 32 cells, 48 texels
// apart. Top row: amber, green and red lamps unlit, then the grey of the housings and stand;
// second row: the three lamps lit. Each lamp model lays its cell flat over its lens, the
// cell's edges on the lens rim.
#include "tools/art/pictures/race_art.h"

namespace race_art {
namespace {

constexpr int kSize = 256;
constexpr int kCell = 32, kPitch = 48;

ArtRect Cell(int column, int row) {
  return ArtRect{kPitch * column, kPitch * row, kPitch * column + kCell, kPitch * row + kCell};
}

struct LampColours {
  Rgb core, body, rim;  // lit: hot centre, lens colour, edge
  Rgb dark;             // unlit lens
};

const LampColours kLamps[3] = {
    {HexRgb(0xFFF6C8), HexRgb(0xFFAE14), HexRgb(0xC86A00), HexRgb(0x4A3008)},  // amber
    {HexRgb(0xE4FFE4), HexRgb(0x28E050), HexRgb(0x0A8A2A), HexRgb(0x0E3A18)},  // green
    {HexRgb(0xFFE0D8), HexRgb(0xFF2A22), HexRgb(0xA00A10), HexRgb(0x42100E)},  // red
};

void AddStop(cairo_pattern_t* p, double offset, Rgb c) {
  cairo_pattern_add_color_stop_rgb(p, offset, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

// Rings moulded into the lens, faint light and dark circles.
void DrawFresnelRings(cairo_t* cr, double cx, double cy, double alpha) {
  for (double r = 3.5; r < kCell / 2.0; r += 3.0) {
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_set_line_width(cr, 0.8);
    cairo_set_source_rgba(cr, 1, 1, 1, alpha);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, r + 1.0, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0, 0, 0, alpha);
    cairo_stroke(cr);
  }
}

void DrawLamp(cairo_t* cr, const ArtRect& cell, const LampColours& lamp, bool lit) {
  const double cx = cell.left + kCell / 2.0, cy = cell.top + kCell / 2.0;
  cairo_save(cr);
  cairo_rectangle(cr, cell.left, cell.top, kCell, kCell);
  cairo_clip(cr);
  // The corners beyond the rim never show, but bilinear filtering at the rim reads them.
  cairo_pattern_t* lens = cairo_pattern_create_radial(cx - 2, cy - 2, 0.5, cx, cy, kCell * 0.72);
  if (lit) {
    AddStop(lens, 0.0, lamp.core);
    AddStop(lens, 0.28, lamp.body);
    AddStop(lens, 0.62, lamp.body);
    AddStop(lens, 1.0, lamp.rim);
  } else {
    AddStop(lens, 0.0, Rgb{uint8_t(lamp.dark.r * 2 > 255 ? 255 : lamp.dark.r * 2),
                           uint8_t(lamp.dark.g * 2 > 255 ? 255 : lamp.dark.g * 2),
                           uint8_t(lamp.dark.b * 2 > 255 ? 255 : lamp.dark.b * 2)});
    AddStop(lens, 0.5, lamp.dark);
    AddStop(lens, 1.0, Rgb{uint8_t(lamp.dark.r / 2 + 8), uint8_t(lamp.dark.g / 2 + 8), uint8_t(lamp.dark.b / 2 + 8)});
  }
  cairo_set_source(cr, lens);
  cairo_paint(cr);
  cairo_pattern_destroy(lens);
  DrawFresnelRings(cr, cx, cy, lit ? 0.10 : 0.07);
  // The glint of the sky on the glass, upper left.
  cairo_save(cr);
  cairo_translate(cr, cx - 6, cy - 7);
  cairo_scale(cr, 1.0, 0.6);
  cairo_arc(cr, 0, 0, 4.5, 0, 2 * kPi);
  cairo_restore(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, lit ? 0.55 : 0.35);
  cairo_fill(cr);
  cairo_restore(cr);
}

// The housings' and the stand's painted metal.
void DrawGrey(cairo_t* cr, const ArtRect& cell) {
  cairo_rectangle(cr, cell.left, cell.top, kCell, kCell);
  SetSource(cr, HexRgb(0x6C7078));
  cairo_fill(cr);
  Grain grain(606u);
  for (int y = cell.top; y < cell.bottom; ++y) {
    for (int x = cell.left; x < cell.right; ++x) {
      const double g = grain.Next();
      if (g > 0.3) continue;
      cairo_rectangle(cr, x, y, 1, 1);
      cairo_set_source_rgba(cr, g < 0.15 ? 0 : 1, g < 0.15 ? 0 : 1, g < 0.15 ? 0 : 1, 0.07);
      cairo_fill(cr);
    }
  }
}

void GenerateSignalTexture(const ArtContext& context) {
  Canvas canvas(kSize, kSize);
  cairo_t* cr = canvas.cr();
  std::vector<ArtRect> cells;
  for (int colour = 0; colour < 3; ++colour) {
    DrawLamp(cr, Cell(colour, 0), kLamps[colour], false);
    DrawLamp(cr, Cell(colour, 1), kLamps[colour], true);
    cells.push_back(Cell(colour, 0));
    cells.push_back(Cell(colour, 1));
  }
  DrawGrey(cr, Cell(3, 0));
  cells.push_back(Cell(3, 0));
  WriteTexture(context, "TEX_SIG", QuantizeOpaque(canvas.surface()), cells);
}

ArtRegistration registration("TEX_SIG", &GenerateSignalTexture);

}  // namespace
}  // namespace race_art
