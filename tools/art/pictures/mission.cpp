// The gear lever picture: the five-speed and six-speed shift gates and the knob the race moves
// over them. The race lays a gate at (535, 175) and the knob's 32 x 32 cell at
// (539 + 20 column, 179 + 20 row), so a knob centre falls on the gate at (20 + 20 column,
// 20 + 20 row): the slots are cut through exactly those points.
#include <cstdio>

#include "tools/art/pictures/race_art.h"

namespace race_art {
namespace {

constexpr int kGateSize = 80;
constexpr int kKnobSize = 32;
constexpr double kSlotWidth = 9.0;  // px

// Gate-local centre of the lever cell (column, row), 0..2 each.
Point CellCentre(int column, int row) { return Point{20.0 + 20 * column, 20.0 + 20 * row}; }

void PlatePath(cairo_t* cr, double left) {
  RoundedRectPath(cr, left + 1, 1, kGateSize - 2, kGateSize - 2, 9);
}

void DrawPlate(cairo_t* cr, double left) {
  PlatePath(cr, left);
  cairo_pattern_t* metal = LinearGradient(left, 0, left + 40, 80,
      {{0.0, HexRgb(0x5E6676)}, {0.55, HexRgb(0x3C424E)}, {1.0, HexRgb(0x2A2E38)}});
  cairo_set_source(cr, metal);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(metal);
  cairo_pattern_t* edge = LinearGradient(left, 0, left + 80, 80,
      {{0.0, HexRgb(0xE4E8F0)}, {0.5, HexRgb(0x7A8290)}, {1.0, HexRgb(0x3A3E48)}});
  cairo_set_source(cr, edge);
  cairo_set_line_width(cr, 2.0);
  cairo_stroke(cr);
  cairo_pattern_destroy(edge);
}

// The slots as one path of round-capped strokes: the neutral crossbar and each column's way up
// and, where the gate has it, down.
void SlotPath(cairo_t* cr, double left, bool sixth_gear) {
  const Point n0 = CellCentre(0, 1), n2 = CellCentre(2, 1);
  cairo_move_to(cr, left + n0.x, n0.y);
  cairo_line_to(cr, left + n2.x, n2.y);
  for (int column = 0; column < 3; ++column) {
    const bool down = column < 2 || sixth_gear;
    const Point top = CellCentre(column, 0), bottom = CellCentre(column, down ? 2 : 1);
    cairo_move_to(cr, left + top.x, top.y);
    cairo_line_to(cr, left + bottom.x, bottom.y);
  }
}

void DrawSlots(cairo_t* cr, double left, bool sixth_gear) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  // Light catching the far lip, then the cut itself shifted up-left so its near lip shows.
  cairo_save(cr);
  cairo_translate(cr, 0.8, 0.8);
  SlotPath(cr, left, sixth_gear);
  cairo_set_line_width(cr, kSlotWidth + 1.2);
  SetSource(cr, HexRgb(0x8A93A4));
  cairo_stroke(cr);
  cairo_restore(cr);
  SlotPath(cr, left, sixth_gear);
  cairo_set_line_width(cr, kSlotWidth);
  SetSource(cr, HexRgb(0x07080B));
  cairo_stroke(cr);
  cairo_save(cr);
  cairo_translate(cr, 0.6, 0.9);
  SlotPath(cr, left, sixth_gear);
  cairo_set_line_width(cr, kSlotWidth - 4);
  SetSource(cr, HexRgb(0x101218));
  cairo_stroke(cr);
  cairo_restore(cr);
}

// Gear numbers beyond each slot end: odd gears above, even below, as the car data orders them.
void DrawGearNumbers(cairo_t* cr, double left, bool sixth_gear) {
  TextStyle style;
  style.face = DialFace();
  style.size = 12.5;
  style.fill = HexRgb(0xF6F4EC);
  style.outline = HexRgb(0x0A0C10);
  style.outline_width = 0.7;
  for (int column = 0; column < 3; ++column) {
    const double x = left + CellCentre(column, 0).x;
    char text[4];
    std::snprintf(text, sizeof text, "%d", 1 + 2 * column);
    DrawTextCentered(cr, text, x, 8.5, style);
    if (column < 2 || sixth_gear) {
      std::snprintf(text, sizeof text, "%d", 2 + 2 * column);
      DrawTextCentered(cr, text, x, 71.5, style);
    }
  }
}

void DrawGate(cairo_t* cr, double left, bool sixth_gear) {
  DrawPlate(cr, left);
  DrawSlots(cr, left, sixth_gear);
  DrawGearNumbers(cr, left, sixth_gear);
}

// A glossy red ball seen from above, with its shadow on the gate.
void DrawKnob(cairo_t* cr, double left) {
  const double cx = left + kKnobSize / 2.0, cy = kKnobSize / 2.0;
  cairo_new_path(cr);
  cairo_arc(cr, cx + 1.5, cy + 1.8, 13.6, 0, 2 * kPi);
  SetSource(cr, HexRgb(0x000000), 0.55);
  cairo_fill(cr);

  cairo_arc(cr, cx, cy, 13.2, 0, 2 * kPi);
  cairo_pattern_t* ball = cairo_pattern_create_radial(cx - 4.5, cy - 5, 1.0, cx, cy, 13.2);
  cairo_pattern_add_color_stop_rgb(ball, 0.0, 1.0, 0xB8 / 255.0, 0xA8 / 255.0);
  cairo_pattern_add_color_stop_rgb(ball, 0.25, 0xF0 / 255.0, 0x30 / 255.0, 0x2C / 255.0);
  cairo_pattern_add_color_stop_rgb(ball, 0.8, 0x9A / 255.0, 0x0C / 255.0, 0x14 / 255.0);
  cairo_pattern_add_color_stop_rgb(ball, 1.0, 0x48 / 255.0, 0x04 / 255.0, 0x0A / 255.0);
  cairo_set_source(cr, ball);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(ball);
  SetSource(cr, HexRgb(0x200206));
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);

  // Specular spot.
  cairo_save(cr);
  cairo_translate(cr, cx - 4.5, cy - 5.5);
  cairo_scale(cr, 1.0, 0.7);
  cairo_arc(cr, 0, 0, 3.6, 0, 2 * kPi);
  cairo_restore(cr);
  SetSource(cr, HexRgb(0xFFFFFF), 0.85);
  cairo_fill(cr);
}

void GenerateMission(const ArtContext& context) {
  Canvas canvas(192, 80);
  cairo_t* cr = canvas.cr();
  DrawGate(cr, 0, false);
  DrawGate(cr, kGateSize, true);
  DrawKnob(cr, 2 * kGateSize);
  WriteBitmap(context, "MISSION", QuantizeKeyed(canvas.surface()),
              {ArtRect{0, 0, 80, 80}, ArtRect{80, 0, 160, 80}, ArtRect{160, 0, 192, 32}});
}

ArtRegistration registration("MISSION", &GenerateMission);

}  // namespace
}  // namespace race_art
