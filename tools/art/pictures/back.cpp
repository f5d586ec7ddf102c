// The race background "Back", 640 x 352, blitted opaque behind the 3D road.
//
// With the view level the race camera's horizon, and the road's vanishing point, lie on screen
// row 240 at the middle column. The road's side walls rise from there to about row 190 at the
// screen edges, so what is seen of the background is the sky, and whatever stands high enough
// to show over the walls: the grandstand on the left and the pit building on the right are
// drawn as if running along the straight, their edges converging on the vanishing point.
#include <cmath>

#include "tools/art/common/house_style.h"
#include "tools/art/pictures/race_art.h"

namespace race_art {
namespace {

constexpr int kWidth = 640, kHeight = 352;
constexpr double kHorizonY = 240;  // screen row
constexpr double kVanishX = 320;   // screen column

// A point on a line through the vanishing point that rises `slope` px per px away from it, at
// horizontal distance `away` (px, towards the screen edge, on `side` -1 left or +1 right).
Point Fan(int side, double slope, double away) {
  return Point{kVanishX + side * away, kHorizonY - slope * away};
}

// The path of a strip on a side wall between two fan slopes, from one distance to another.
void FanQuadPath(cairo_t* cr, int side, double upper, double lower, double from, double to) {
  const Point a = Fan(side, upper, from), b = Fan(side, upper, to);
  const Point c = Fan(side, lower, to), d = Fan(side, lower, from);
  cairo_new_path(cr);
  cairo_move_to(cr, a.x, a.y);
  cairo_line_to(cr, b.x, b.y);
  cairo_line_to(cr, c.x, c.y);
  cairo_line_to(cr, d.x, d.y);
  cairo_close_path(cr);
}

void DrawSky(cairo_t* cr) {
  cairo_pattern_t* sky = VerticalGradient(0, kHorizonY,
      {{0.0, HexRgb(0x1C4C9C)}, {0.55, HexRgb(0x4E8AD2)}, {0.9, HexRgb(0xA6CCEC)}, {1.0, HexRgb(0xD8ECF6)}});
  cairo_rectangle(cr, 0, 0, kWidth, kHorizonY);
  cairo_set_source(cr, sky);
  cairo_fill(cr);
  cairo_pattern_destroy(sky);
}

// Fair-weather cumulus: clusters of soft puffs, lit from above, flat underneath.
void DrawCloud(cairo_t* cr, Grain& grain, double cx, double cy, double width) {
  const int puffs = 9;
  for (int layer = 0; layer < 2; ++layer) {
    Grain g = grain;
    for (int i = 0; i < puffs; ++i) {
      const double t = (i + 0.5) / puffs;
      const double x = cx + (t - 0.5) * width;
      const double r = width * (0.10 + 0.09 * std::sin(t * kPi)) * (0.8 + 0.4 * g.Next());
      const double y = cy - r * 0.35 * std::sin(t * kPi) - 2 * g.Next();
      cairo_new_path(cr);
      cairo_arc(cr, x + (layer ? 0 : 2), y + (layer ? 0 : 3), r, 0, 2 * kPi);
      if (layer == 0) {
        SetSource(cr, HexRgb(0x8AA6C8), 0.55);
      } else {
        cairo_pattern_t* puff = cairo_pattern_create_radial(x - r * 0.3, y - r * 0.4, r * 0.1, x, y, r);
        cairo_pattern_add_color_stop_rgba(puff, 0.0, 1, 1, 1, 0.95);
        cairo_pattern_add_color_stop_rgba(puff, 1.0, 0xDC / 255.0, 0xE6 / 255.0, 0xF2 / 255.0, 0.85);
        cairo_set_source(cr, puff);
        cairo_pattern_destroy(puff);
      }
      cairo_fill(cr);
    }
  }
  grain.Next();
}

void DrawClouds(cairo_t* cr) {
  Grain grain(20240611u);
  struct Cloud { double x, y, width; };
  const Cloud clouds[] = {{90, 70, 150}, {300, 40, 110}, {500, 92, 170}, {610, 30, 90}, {210, 128, 90},
                          {420, 150, 70}, {40, 160, 60}, {560, 170, 80}};
  for (const Cloud& c : clouds) DrawCloud(cr, grain, c.x, c.y, c.width);
}

// Far hills across the horizon, hazy blue, with a nearer green ridge in front.
void DrawHills(cairo_t* cr) {
  struct Ridge { double base, height; double phase; Rgb top, bottom; };
  const Ridge ridges[] = {{kHorizonY - 14, 30, 0.7, HexRgb(0x8CA2C4), HexRgb(0xA8BCD6)},
                          {kHorizonY - 2, 20, 2.1, HexRgb(0x5E7E6A), HexRgb(0x7C967E)}};
  for (const Ridge& r : ridges) {
    cairo_new_path(cr);
    cairo_move_to(cr, 0, kHorizonY + 2);
    for (int x = 0; x <= kWidth; x += 4) {
      const double u = x / double(kWidth);
      const double h = r.height * (0.55 + 0.25 * std::sin(u * 9.0 + r.phase) + 0.15 * std::sin(u * 23.0 + 2 * r.phase) +
                                   0.05 * std::sin(u * 61.0));
      cairo_line_to(cr, x, r.base - h);
    }
    cairo_line_to(cr, kWidth, kHorizonY + 2);
    cairo_close_path(cr);
    cairo_pattern_t* fill = VerticalGradient(r.base - r.height, kHorizonY,
        {{0.0, r.top}, {1.0, r.bottom}});
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
  }
}

// A small town at the far end of the straight.
void DrawTown(cairo_t* cr) {
  Grain grain(4242u);
  for (double x = 262; x < 378;) {
    const double w = 4 + 7 * grain.Next();
    const double h = 4 + 16 * grain.Next() * (1 - std::fabs(x - 320) / 80);
    cairo_rectangle(cr, x, kHorizonY - h, w, h + 1);
    const double shade = 0.55 + 0.2 * grain.Next();
    cairo_set_source_rgb(cr, shade * 0.62, shade * 0.68, shade * 0.80);
    cairo_fill(cr);
    x += w + 1 + 2 * grain.Next();
  }
}

// A line of trees along the far fence, just over the walls.
void DrawTreeLine(cairo_t* cr) {
  Grain grain(777u);
  for (int side = -1; side <= 1; side += 2) {
    for (double away = 20; away < 300; away += 3 + away * 0.05) {
      const Point base = Fan(side, 0.16, away);
      const double r = 1.2 + away * 0.028 * (0.7 + 0.6 * grain.Next());
      cairo_new_path(cr);
      cairo_arc(cr, base.x, base.y - r * 0.8, r, 0, 2 * kPi);
      const double g = 0.8 + 0.3 * grain.Next();
      cairo_set_source_rgb(cr, 0.16 * g, 0.34 * g, 0.18 * g);
      cairo_fill(cr);
    }
  }
}

// The grandstand along the left of the straight: a canopy on thin columns over raked rows of
// spectators, all converging on the vanishing point.
void DrawGrandstand(cairo_t* cr) {
  const int side = -1;
  const double near = 330, far = 60;  // px from the vanishing point, screen edge and far end
  const double roof_top = 0.52, roof_bottom = 0.46, crowd_top = 0.40, crowd_bottom = 0.15;

  auto band = [&](double upper, double lower) { FanQuadPath(cr, side, upper, lower, near, far); };

  // The shadowed back wall under the canopy.
  band(roof_bottom, crowd_bottom);
  SetSource(cr, HexRgb(0x2A2E3A));
  cairo_fill(cr);

  // Spectators: rows of specks in shirt colours, smaller with distance.
  const Rgb shirts[] = {HexRgb(0xE8E4DC), HexRgb(0xD83A30), HexRgb(0x3A62C0), HexRgb(0xF0C838),
                        HexRgb(0x50A050), HexRgb(0xF08A30), HexRgb(0x9A9AA8), HexRgb(0x202838)};
  Grain grain(13579u);
  const int rows = 14;
  for (int row = 0; row < rows; ++row) {
    const double slope = crowd_bottom + (crowd_top - crowd_bottom) * (row + 0.5) / rows;
    for (double away = far; away < near;) {
      const Point p = Fan(side, slope, away);
      const double size = away / 150.0 + 0.6;
      SetSource(cr, shirts[int(grain.Next() * 8) % 8]);
      cairo_rectangle(cr, p.x - size / 2, p.y - size, size, size * 1.1);
      cairo_fill(cr);
      away += size * (1.1 + 0.6 * grain.Next());
    }
  }

  // Canopy: a white roof edge with its underside in shade, held by columns.
  band(roof_top, roof_bottom);
  cairo_pattern_t* roof = LinearGradient(0, 100, 0, 230, {{0.0, HexRgb(0xF2F4F8)}, {1.0, HexRgb(0xB0B8C8)}});
  cairo_set_source(cr, roof);
  cairo_fill(cr);
  cairo_pattern_destroy(roof);
  for (double away = far + 10; away < near; away *= 1.28) {
    const Point top = Fan(side, roof_bottom, away), bottom = Fan(side, crowd_bottom, away);
    cairo_move_to(cr, top.x, top.y);
    cairo_line_to(cr, bottom.x, bottom.y);
    cairo_set_line_width(cr, 0.5 + away / 120);
    SetSource(cr, HexRgb(0xC8CED8));
    cairo_stroke(cr);
  }
  // The end wall, where the stand stops short of the vanishing point.
  const Point e1 = Fan(side, roof_top, far), e2 = Fan(side, crowd_bottom, far);
  cairo_move_to(cr, e1.x, e1.y);
  cairo_line_to(cr, e2.x, e2.y);
  cairo_set_line_width(cr, 1.5);
  SetSource(cr, HexRgb(0x8A92A0));
  cairo_stroke(cr);
}

// The pit building along the right: two storeys of windows under a flat roof, and a control
// tower with a red band near the far end.
void DrawPitBuilding(cairo_t* cr) {
  const int side = 1;
  const double near = 330, far = 70;
  auto quad = [&](double upper, double lower, double from, double to) {
    FanQuadPath(cr, side, upper, lower, from, to);
  };
  quad(0.36, 0.12, near, far);
  cairo_pattern_t* wall = LinearGradient(640, 0, 390, 0, {{0.0, HexRgb(0xE4E6EA)}, {1.0, HexRgb(0xB4BAC6)}});
  cairo_set_source(cr, wall);
  cairo_fill(cr);
  cairo_pattern_destroy(wall);
  // Window bands.
  for (const double band : {0.31, 0.22}) {
    quad(band, band - 0.055, near, far);
    cairo_pattern_t* glass = LinearGradient(640, 0, 390, 0, {{0.0, HexRgb(0x3C5878)}, {1.0, HexRgb(0x6E8CAE)}});
    cairo_set_source(cr, glass);
    cairo_fill(cr);
    cairo_pattern_destroy(glass);
    for (double away = far; away < near; away *= 1.09) {
      const Point t = Fan(side, band, away), b = Fan(side, band - 0.055, away);
      cairo_move_to(cr, t.x, t.y);
      cairo_line_to(cr, b.x, b.y);
      cairo_set_line_width(cr, 0.4 + away / 300);
      SetSource(cr, HexRgb(0xD8DCE4));
      cairo_stroke(cr);
    }
  }
  // Roof edge.
  quad(0.375, 0.36, near, far);
  SetSource(cr, HexRgb(0x6A7282));
  cairo_fill(cr);

  // Control tower.
  const Point base = Fan(side, 0.36, 150);
  const double w = 16, h = 58;
  cairo_rectangle(cr, base.x - w / 2, base.y - h, w, h);
  cairo_pattern_t* tower = LinearGradient(base.x - w / 2, 0, base.x + w / 2, 0,
      {{0.0, HexRgb(0xB8BEC8)}, {0.4, HexRgb(0xF2F4F6)}, {1.0, HexRgb(0x9AA2B0)}});
  cairo_set_source(cr, tower);
  cairo_fill(cr);
  cairo_pattern_destroy(tower);
  cairo_rectangle(cr, base.x - w / 2 - 3, base.y - h - 14, w + 6, 14);
  SetSource(cr, HexRgb(0x40607E));
  cairo_fill(cr);
  cairo_rectangle(cr, base.x - w / 2 - 4, base.y - h - 17, w + 8, 4);
  SetSource(cr, RacingRed());
  cairo_fill(cr);
  cairo_rectangle(cr, base.x - w / 2, base.y - h + 6, w, 4);
  cairo_fill(cr);
}

// Below the horizon only grass and the run-off show, where the road does not cover them.
void DrawGround(cairo_t* cr) {
  cairo_pattern_t* grass = VerticalGradient(kHorizonY, kHeight,
      {{0.0, HexRgb(0x5C8A46)}, {1.0, HexRgb(0x2E5A24)}});
  cairo_rectangle(cr, 0, kHorizonY, kWidth, kHeight - kHorizonY);
  cairo_set_source(cr, grass);
  cairo_fill(cr);
  cairo_pattern_destroy(grass);
}

void GenerateBack(const ArtContext& context) {
  Canvas canvas(kWidth, kHeight);
  cairo_t* cr = canvas.cr();
  DrawSky(cr);
  DrawClouds(cr);
  DrawHills(cr);
  DrawTown(cr);
  DrawTreeLine(cr);
  DrawGround(cr);
  DrawGrandstand(cr);
  DrawPitBuilding(cr);
  WriteBitmap(context, "BACK", QuantizeKeyed(canvas.surface()),
              {ArtRect{0, 0, kWidth, int(kHorizonY)}, ArtRect{0, int(kHorizonY), kWidth, kHeight}});
}

ArtRegistration registration("BACK", &GenerateBack);

}  // namespace
}  // namespace race_art
