// One round instrument face (tachometer or speedometer) of 256 x 208: chrome rim, dark face,
// ticks and numerals on the scale the race's needle follows, red zone, hub.
#pragma once

#include <cairo.h>

namespace race_art {

struct DialScale {
  double degrees_per_unit;  // needle turn per rpm or per km/h
  double last_value;        // the last tick, rpm or km/h
  double major_step;        // long ticks
  double minor_step;        // short ticks
  double fine_step;         // shortest ticks; 0 for none
  double label_step;        // a numeral every so many units
  double label_divisor;     // numeral = value / divisor (1000 on a tachometer)
  double numeral_size;      // px
  double numeral_radius;    // px from the pivot to the numerals' centres
  double red_from;          // the red zone runs from here to last_value; >= last_value: none
  const char* caption;      // unit caption, e.g. "km/h"
  double caption_x, caption_y;  // its centre on the face, px
  double hub_radius;        // px
  // A framed window left transparent, for a read-out the race draws before the dial; empty
  // (right <= left) for none.
  double window_left, window_top, window_right, window_bottom;
};

// Tick radii on the face (px from the pivot): every tick reaches out to kTickOuter, where the
// needle tip (125 px) sweeps just past them.
constexpr double kTickOuter = 121.0;
constexpr double kMajorTickInner = 100.0;
constexpr double kMinorTickInner = 109.0;
constexpr double kFineTickInner = 114.0;

// The needle angle for a value on this scale, degrees.
double DialDegrees(const DialScale& scale, double value);

// Draws one face with its pivot at (128, 128) of the current user space; the area outside the
// rim is left untouched (transparent on a fresh canvas).
void DrawDialFace(cairo_t* cr, const DialScale& scale);

}  // namespace race_art
