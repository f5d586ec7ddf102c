// The road textures "TEX_WAY" and "TEX_WAY2", 256 x 256 (u right, v down, 1 = 256 texels).
//
// The road piece lays the asphalt band (v 0..0.376) over its whole driving surface: u across the
// road, 11.6 m from kerb to kerb, and v along its 20 m with the band's bottom row at the near
// end, where the line texture paints the start and finish line. The lower band holds the
// swatches of the kerbs, verges, walls and gantry; the rest of the sheet is black.
#include "tools/art/pictures/race_art.h"

namespace race_art {
namespace {

constexpr int kSize = 256;
constexpr int kBandRows = 96;           // v 0..0.376
constexpr double kTexelsAcross = 256 / 11.6;  // texels per metre across the road
constexpr double kTexelsAlong = 96 / 20.0;    // texels per metre along it

// Swatches (texels, right and bottom exclusive), where the meshes sample them.
constexpr ArtRect kKerb{0, 192, 16, 256};
constexpr ArtRect kGrass{32, 224, 48, 256};
constexpr ArtRect kWall{64, 224, 80, 256};
constexpr ArtRect kNamePlate{96, 224, 192, 256};
constexpr ArtRect kDarkSquare{208, 224, 224, 240};
constexpr ArtRect kBand{0, 0, kSize, kBandRows};

// Each swatch is painted a little beyond its cell, so that no filtering at its border can
// reach the black between them.
constexpr int kBleed = 2;

void RectPath(cairo_t* cr, const ArtRect& r, int grow) {
  cairo_rectangle(cr, r.left - grow, r.top - grow, r.right - r.left + 2 * grow, r.bottom - r.top + 2 * grow);
}

// Fine grain in a rectangle: single texels a shade lighter or darker.
void Speckle(cairo_t* cr, const ArtRect& r, uint32_t seed, double strength, double density) {
  Grain grain(seed);
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      const double pick = grain.Next();
      const double shade = grain.Next();
      if (pick > density) continue;
      cairo_rectangle(cr, x, y, 1, 1);
      if (shade < 0.5) cairo_set_source_rgba(cr, 0, 0, 0, strength * (1 - shade));
      else cairo_set_source_rgba(cr, 1, 1, 1, strength * shade * 0.8);
      cairo_fill(cr);
    }
  }
}

void DrawAsphalt(cairo_t* cr, bool start_line) {
  cairo_save(cr);
  RectPath(cr, kBand, 0);
  cairo_rectangle(cr, 0, kBandRows, kSize, kBleed);
  cairo_clip(cr);
  SetSource(cr, HexRgb(0x5C5E62));
  cairo_paint(cr);
  // Darker where the tyres run, in each lane.
  for (double lane_centre : {0.25, 0.75}) {
    for (double offset : {-0.09, 0.09}) {
      const double x = kSize * (lane_centre + offset);
      cairo_pattern_t* track = LinearGradient(x - 12, 0, x + 12, 0,
          {{0.0, HexRgb(0x000000), 0.0}, {0.5, HexRgb(0x000000), 0.16}, {1.0, HexRgb(0x000000), 0.0}});
      cairo_rectangle(cr, x - 12, 0, 24, kBandRows + kBleed);
      cairo_set_source(cr, track);
      cairo_fill(cr);
      cairo_pattern_destroy(track);
    }
  }
  // Close to the eye one texel spans a hand's width of road, so the grain stays gentle.
  Speckle(cr, ArtRect{0, 0, kSize, kBandRows + kBleed}, 91u, 0.07, 0.55);

  const Rgb paint = HexRgb(0xF2F2EC);
  // Solid edge lines just inside the kerbs.
  const double edge_width = 0.2 * kTexelsAcross;
  for (double x : {0.25 * kTexelsAcross, kSize - 0.25 * kTexelsAcross - edge_width}) {
    cairo_rectangle(cr, x, 0, edge_width, kBandRows + kBleed);
    SetSource(cr, paint);
    cairo_fill(cr);
  }
  // The centre line: two 5 m dashes in every 20 m, so it runs on from piece to piece.
  const double centre_width = 0.2 * kTexelsAcross;
  const double dash = 5 * kTexelsAlong;
  for (double top : {dash / 2, dash / 2 + 2 * dash}) {
    cairo_rectangle(cr, (kSize - centre_width) / 2, top, centre_width, dash);
    SetSource(cr, paint);
    cairo_fill(cr);
  }
  if (start_line) {
    // Across the road at the near end of the piece, the full width. The race starts with the
    // eye right over it and the lens sees the road from 0.3 m ahead, so a deep line would
    // whiten the bottom of the screen: 0.4 m.
    const double depth = 2;
    cairo_rectangle(cr, 0, kBandRows - depth, kSize, depth + kBleed);
    SetSource(cr, paint);
    cairo_fill(cr);
  }
  // Worn paint: the grain again over the markings.
  Speckle(cr, ArtRect{0, 0, kSize, kBandRows + kBleed}, 4711u, 0.04, 0.25);
  cairo_restore(cr);
}

// Red and white kerb blocks, 1.25 m each, along the strip; the outer edge (u 1) is raised and
// catches the light.
void DrawKerb(cairo_t* cr) {
  cairo_save(cr);
  RectPath(cr, kKerb, kBleed);
  cairo_clip(cr);
  const int block = (kKerb.bottom - kKerb.top) / 4;
  for (int k = -1; k <= 4; ++k) {
    cairo_rectangle(cr, kKerb.left - kBleed, kKerb.top + k * block, kKerb.right - kKerb.left + 2 * kBleed, block);
    SetSource(cr, (k % 2 + 2) % 2 == 0 ? HexRgb(0xD8262A) : HexRgb(0xF2F0EA));
    cairo_fill(cr);
  }
  cairo_pattern_t* relief = LinearGradient(kKerb.left, 0, kKerb.right, 0,
      {{0.0, HexRgb(0x000000), 0.22}, {0.6, HexRgb(0x000000), 0.0}, {1.0, HexRgb(0xFFFFFF), 0.18}});
  RectPath(cr, kKerb, kBleed);
  cairo_set_source(cr, relief);
  cairo_fill(cr);
  cairo_pattern_destroy(relief);
  Speckle(cr, kKerb, 333u, 0.10, 0.4);
  cairo_restore(cr);
}

void DrawGrass(cairo_t* cr) {
  cairo_save(cr);
  RectPath(cr, kGrass, kBleed);
  cairo_clip(cr);
  SetSource(cr, HexRgb(0x3E7A2E));
  cairo_paint(cr);
  Grain grain(2024u);
  for (int i = 0; i < 90; ++i) {
    const double x = kGrass.left - kBleed + grain.Next() * (kGrass.right - kGrass.left + 2 * kBleed);
    const double y = kGrass.top - kBleed + grain.Next() * (kGrass.bottom - kGrass.top + 2 * kBleed);
    const double light = grain.Next();
    cairo_rectangle(cr, x, y, 1, 2);
    cairo_set_source_rgb(cr, 0.20 + 0.20 * light, 0.42 + 0.25 * light, 0.14 + 0.10 * light);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

// One 5 m wall panel: concrete, v down the wall, a paler coping course in its top fifth, a
// joint at the panel's near end and weathering low down.
void DrawWall(cairo_t* cr) {
  cairo_save(cr);
  RectPath(cr, kWall, kBleed);
  cairo_clip(cr);
  const double height = kWall.bottom - kWall.top;
  const double coping = kWall.top + height * 0.2;
  cairo_pattern_t* face = VerticalGradient(coping, kWall.bottom + kBleed,
      {{0.0, HexRgb(0xA4A6A8)}, {0.7, HexRgb(0x909294)}, {1.0, HexRgb(0x6E7072)}});
  cairo_set_source(cr, face);
  cairo_paint(cr);
  cairo_pattern_destroy(face);
  cairo_rectangle(cr, kWall.left - kBleed, kWall.top - kBleed, kWall.right - kWall.left + 2 * kBleed,
                  coping - kWall.top + kBleed);
  SetSource(cr, HexRgb(0xC8CACC));
  cairo_fill(cr);
  cairo_rectangle(cr, kWall.left - kBleed, coping, kWall.right - kWall.left + 2 * kBleed, 1);
  SetSource(cr, HexRgb(0x5A5C5E));
  cairo_fill(cr);
  cairo_rectangle(cr, kWall.left, coping, 1, kWall.bottom - coping + kBleed);
  SetSource(cr, HexRgb(0x6A6C6E));
  cairo_fill(cr);
  Speckle(cr, kWall, 8080u, 0.12, 0.5);
  cairo_restore(cr);
}

// The sign on the gantry: the game's title in white on racing blue.
void DrawNamePlate(cairo_t* cr) {
  const ArtRect& r = kNamePlate;
  cairo_save(cr);
  RectPath(cr, r, kBleed);
  cairo_clip(cr);
  cairo_pattern_t* plate = VerticalGradient(r.top, r.bottom,
      {{0.0, HexRgb(0x2A54B0)}, {1.0, HexRgb(0x12296A)}});
  cairo_set_source(cr, plate);
  cairo_paint(cr);
  cairo_pattern_destroy(plate);
  cairo_rectangle(cr, r.left + 1.5, r.top + 1.5, r.right - r.left - 3, r.bottom - r.top - 3);
  SetSource(cr, HexRgb(0xF2F4F8));
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);

  TextStyle title;
  title.face = FigureFace();
  title.size = 17;
  title.fill = HexRgb(0xFFFFFF);
  title.letter_spacing = 0.5;
  DrawTextCenteredOnBaseline(cr, "vorta", (r.left + r.right) / 2.0, r.top + 16.5, title);
  TextStyle mark = title;
  mark.face = LabelFace();
  mark.size = 10;
  mark.fill = HexRgb(0xFFD84A);
  mark.letter_spacing = 0.3;
  DrawTextCenteredOnBaseline(cr, "~Mark Q~", (r.left + r.right) / 2.0, r.top + 28, mark);
  cairo_restore(cr);
}

// Painted steel of the gantry and the timing panels.
void DrawDarkSquare(cairo_t* cr) {
  cairo_save(cr);
  RectPath(cr, kDarkSquare, kBleed);
  cairo_clip(cr);
  SetSource(cr, HexRgb(0x2A2E36));
  cairo_paint(cr);
  Speckle(cr, kDarkSquare, 55u, 0.10, 0.4);
  cairo_restore(cr);
}

void GenerateRoad(const ArtContext& context, const char* name, bool start_line) {
  Canvas canvas(kSize, kSize);
  cairo_t* cr = canvas.cr();
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_GRAY);
  DrawAsphalt(cr, start_line);
  DrawKerb(cr);
  DrawGrass(cr);
  DrawWall(cr);
  DrawNamePlate(cr);
  DrawDarkSquare(cr);
  WriteTexture(context, name, QuantizeOpaque(canvas.surface()),
               {kBand, kKerb, kGrass, kWall, kNamePlate, kDarkSquare});
}

void GenerateWay(const ArtContext& context) { GenerateRoad(context, "TEX_WAY", false); }
void GenerateWay2(const ArtContext& context) { GenerateRoad(context, "TEX_WAY2", true); }

ArtRegistration way("TEX_WAY", &GenerateWay);
ArtRegistration way2("TEX_WAY2", &GenerateWay2);

}  // namespace
}  // namespace race_art
