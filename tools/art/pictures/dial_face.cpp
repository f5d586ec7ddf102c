#include "tools/art/pictures/dial_face.h"

#include <cstdio>

#include "tools/art/pictures/race_art.h"

namespace race_art {

namespace {

constexpr double kCx = kDialCentreX, kCy = kDialCentreY;
constexpr double kRimOuter = 127.5;  // px; the picture is 256 wide
constexpr double kRimBottom = 206.5;  // px; the picture is only 208 tall, so the rim is cut flat
constexpr double kFaceRadius = 122.0;
constexpr double kFaceBottom = 201.0;

// The rim and face are circles with the bottom cut off flat below the scale.
void CutCirclePath(cairo_t* cr, double radius, double bottom) {
  const double below = bottom - kCy;  // px from the pivot down to the flat edge
  const double half_angle = std::acos(below / radius);
  const double down = kPi / 2;  // cairo measures angles clockwise from +x; +y is down
  cairo_new_path(cr);
  cairo_arc(cr, kCx, kCy, radius, down + half_angle, down - half_angle + 2 * kPi);
  cairo_close_path(cr);
}

// Cairo's angle (clockwise from +x, radians) of a needle angle in degrees.
double CairoAngle(double degrees) { return kPi + degrees * kRadiansPerDegree; }

void DrawRim(cairo_t* cr) {
  CutCirclePath(cr, kRimOuter, kRimBottom);
  cairo_pattern_t* chrome = LinearGradient(30, 0, 226, 208,
      {{0.00, HexRgb(0xF4F6FA)}, {0.30, HexRgb(0x9EA6B4)}, {0.52, HexRgb(0x5A6170)},
       {0.70, HexRgb(0xC8CED8)}, {1.00, HexRgb(0x3C414C)}});
  cairo_set_source(cr, chrome);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(chrome);
  SetSource(cr, HexRgb(0x14161C));
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  // A dark lip between the chrome and the face, as where a bezel meets the glass.
  CutCirclePath(cr, kFaceRadius + 1.6, kFaceBottom + 1.6);
  SetSource(cr, HexRgb(0x101218));
  cairo_fill(cr);
}

void DrawFace(cairo_t* cr) {
  CutCirclePath(cr, kFaceRadius, kFaceBottom);
  cairo_pattern_t* face = cairo_pattern_create_radial(kCx, kCy - 20, 10, kCx, kCy, kFaceRadius);
  cairo_pattern_add_color_stop_rgb(face, 0.0, 0x34 / 255.0, 0x3A / 255.0, 0x48 / 255.0);
  cairo_pattern_add_color_stop_rgb(face, 0.7, 0x1C / 255.0, 0x20 / 255.0, 0x2A / 255.0);
  cairo_pattern_add_color_stop_rgb(face, 1.0, 0x0E / 255.0, 0x10 / 255.0, 0x16 / 255.0);
  cairo_set_source(cr, face);
  cairo_fill(cr);
  cairo_pattern_destroy(face);
}

void DrawRedZone(cairo_t* cr, const DialScale& scale) {
  if (scale.red_from >= scale.last_value) return;
  const double a0 = CairoAngle(DialDegrees(scale, scale.red_from));
  const double a1 = CairoAngle(DialDegrees(scale, scale.last_value));
  cairo_new_path(cr);
  cairo_arc(cr, kCx, kCy, kTickOuter, a0, a1);
  cairo_arc_negative(cr, kCx, kCy, kMinorTickInner + 1, a1, a0);
  cairo_close_path(cr);
  cairo_pattern_t* red = cairo_pattern_create_radial(kCx, kCy, kMinorTickInner, kCx, kCy, kTickOuter);
  cairo_pattern_add_color_stop_rgb(red, 0.0, 0x80 / 255.0, 0x08 / 255.0, 0x10 / 255.0);
  cairo_pattern_add_color_stop_rgb(red, 1.0, 0xF0 / 255.0, 0x20 / 255.0, 0x1C / 255.0);
  cairo_set_source(cr, red);
  cairo_fill(cr);
  cairo_pattern_destroy(red);
}

void Tick(cairo_t* cr, const DialScale& scale, double value, double inner, double width, Rgb colour) {
  const double degrees = DialDegrees(scale, value);
  const Point a = DialPoint(kCx, kCy, degrees, inner);
  const Point b = DialPoint(kCx, kCy, degrees, kTickOuter);
  cairo_move_to(cr, a.x, a.y);
  cairo_line_to(cr, b.x, b.y);
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  SetSource(cr, colour);
  cairo_stroke(cr);
}

// Marks are counted in whole steps, so that floating-point drift cannot move them; a step that
// does not divide the scale stops at the last mark below its end.
int StepCount(const DialScale& scale, double step) { return int(std::floor(scale.last_value / step + 1e-9)); }

void DrawTicks(cairo_t* cr, const DialScale& scale) {
  // The scale's own arc along the tick ends.
  cairo_new_path(cr);
  cairo_arc(cr, kCx, kCy, kTickOuter - 0.6, CairoAngle(DialDegrees(scale, 0)),
            CairoAngle(DialDegrees(scale, scale.last_value)));
  cairo_set_line_width(cr, 1.2);
  SetSource(cr, HexRgb(0x8C94A4));
  cairo_stroke(cr);

  const Rgb white = HexRgb(0xF6F4EC);
  if (scale.fine_step > 0) {
    for (int i = 0; i <= StepCount(scale, scale.fine_step); ++i)
      Tick(cr, scale, i * scale.fine_step, kFineTickInner, 1.1, HexRgb(0xC8CCD4));
  }
  for (int i = 0; i <= StepCount(scale, scale.minor_step); ++i)
    Tick(cr, scale, i * scale.minor_step, kMinorTickInner, 1.8, white);
  for (int i = 0; i <= StepCount(scale, scale.major_step); ++i)
    Tick(cr, scale, i * scale.major_step, kMajorTickInner, 3.4, white);
}

// The read-out window's chrome frame (DrawWindow) with a little air around it.
bool MeetsWindowFrame(const DialScale& scale, const InkBox& box, const Point& centre) {
  if (scale.window_right <= scale.window_left) return false;
  constexpr double kFrame = 2.5 + 1.5;  // px: the frame's width and the air beyond it
  const double half_width = (box.right - box.left) / 2, half_height = (box.bottom - box.top) / 2;
  return centre.x + half_width > scale.window_left - kFrame &&
         centre.x - half_width < scale.window_right + kFrame &&
         centre.y + half_height > scale.window_top - kFrame &&
         centre.y - half_height < scale.window_bottom + kFrame;
}

// A numeral stands on its own radius unless that puts it on the read-out window's frame: the
// last numeral of a scale that runs on below the pivot, three figures wide, has no room there
// between the frame and its tick. It then slides on along the scale, a little inwards, until it
// sits below the frame at the inner end of its tick.
Point NumeralCentre(const DialScale& scale, double value, const InkBox& box) {
  double degrees = DialDegrees(scale, value);
  double radius = scale.numeral_radius;
  const double away_from_top = degrees > 90 ? 0.5 : -0.5;  // degrees a step
  Point p = DialPoint(kCx, kCy, degrees, radius);
  for (int step = 0; step < 20 && MeetsWindowFrame(scale, box, p); ++step) {
    degrees += away_from_top;
    radius -= 0.2;  // px a step
    p = DialPoint(kCx, kCy, degrees, radius);
  }
  return p;
}

void DrawNumerals(cairo_t* cr, const DialScale& scale) {
  TextStyle style;
  style.face = DialFace();
  style.size = scale.numeral_size;
  style.outline = HexRgb(0x0A0C10);
  style.outline_width = 0.8;
  for (int i = 0; i <= StepCount(scale, scale.label_step); ++i) {
    const double value = i * scale.label_step;
    char text[16];
    std::snprintf(text, sizeof text, "%d", int(value / scale.label_divisor + 0.5));
    style.fill = value >= scale.red_from ? HexRgb(0xFF5A4A) : HexRgb(0xF6F4EC);
    const Point p = NumeralCentre(scale, value, MeasureText(cr, text, style));
    DrawTextCentered(cr, text, p.x, p.y, style);
  }
}

void DrawCaption(cairo_t* cr, const DialScale& scale) {
  TextStyle style;
  style.face = LabelFace();
  style.size = 12;
  style.fill = HexRgb(0xB8C0CE);
  style.letter_spacing = 0.6;
  DrawTextCentered(cr, scale.caption, scale.caption_x, scale.caption_y, style);
}

void DrawHub(cairo_t* cr, double radius) {
  cairo_new_path(cr);
  cairo_arc(cr, kCx, kCy, radius + 2, 0, 2 * kPi);
  SetSource(cr, HexRgb(0x0C0E12));
  cairo_fill(cr);
  cairo_pattern_t* cap = cairo_pattern_create_radial(kCx - radius * 0.3, kCy - radius * 0.4, 1, kCx, kCy, radius);
  cairo_pattern_add_color_stop_rgb(cap, 0.0, 0xE8 / 255.0, 0xEC / 255.0, 0xF2 / 255.0);
  cairo_pattern_add_color_stop_rgb(cap, 0.5, 0x6A / 255.0, 0x72 / 255.0, 0x80 / 255.0);
  cairo_pattern_add_color_stop_rgb(cap, 1.0, 0x24 / 255.0, 0x28 / 255.0, 0x30 / 255.0);
  cairo_arc(cr, kCx, kCy, radius, 0, 2 * kPi);
  cairo_set_source(cr, cap);
  cairo_fill(cr);
  cairo_pattern_destroy(cap);
}

// The glass: a faint sheen over the upper left of the face.
void DrawGlass(cairo_t* cr) {
  cairo_save(cr);
  CutCirclePath(cr, kFaceRadius, kFaceBottom);
  cairo_clip(cr);
  cairo_new_path(cr);
  cairo_save(cr);
  cairo_translate(cr, kCx - 40, kCy - 70);
  cairo_rotate(cr, -0.55);
  cairo_scale(cr, 1.0, 0.42);
  cairo_arc(cr, 0, 0, 90, 0, 2 * kPi);
  cairo_restore(cr);
  cairo_pattern_t* sheen = VerticalGradient(kCy - 120, kCy - 20,
      {{0.0, HexRgb(0xFFFFFF), 0.10}, {1.0, HexRgb(0xFFFFFF), 0.0}});
  cairo_set_source(cr, sheen);
  cairo_fill(cr);
  cairo_pattern_destroy(sheen);
  cairo_restore(cr);
}

// The window is cut clean through (transparent, so the key lets the read-out beneath show) and
// framed in chrome like the rim.
void DrawWindow(cairo_t* cr, const DialScale& scale) {
  if (scale.window_right <= scale.window_left) return;
  const double x = scale.window_left, y = scale.window_top;
  const double w = scale.window_right - x, h = scale.window_bottom - y;
  RoundedRectPath(cr, x - 2.5, y - 2.5, w + 5, h + 5, 7);
  cairo_pattern_t* chrome = LinearGradient(x, y - 3, x, y + h + 3,
      {{0.0, HexRgb(0x5A6170)}, {0.5, HexRgb(0xDDE2EA)}, {1.0, HexRgb(0x8A92A0)}});
  cairo_set_source(cr, chrome);
  cairo_fill(cr);
  cairo_pattern_destroy(chrome);
  cairo_save(cr);
  RoundedRectPath(cr, x, y, w, h, 5);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace

double DialDegrees(const DialScale& scale, double value) {
  return kDialStartDegrees + value * scale.degrees_per_unit;
}

void DrawDialFace(cairo_t* cr, const DialScale& scale) {
  cairo_save(cr);
  DrawRim(cr);
  DrawFace(cr);
  DrawRedZone(cr, scale);
  DrawTicks(cr, scale);
  DrawNumerals(cr, scale);
  DrawCaption(cr, scale);
  DrawHub(cr, scale.hub_radius);
  DrawGlass(cr);
  DrawWindow(cr, scale);
  cairo_restore(cr);
}

}  // namespace race_art
