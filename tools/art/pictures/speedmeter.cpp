// The speedometer of the dial display style: 0.75 degrees of needle per km/h from -30 degrees.
// The scale runs on to 320 km/h at 210 degrees, symmetric to its start, because the fastest
// cars pass 300 km/h on the long course and the needle must not point off the scale.
#include "tools/art/pictures/dial_face.h"
#include "tools/art/pictures/race_art.h"
#include "tools/art/pictures/race_hud_layout.h"

namespace race_art {
namespace {

void GenerateSpeedometer(const ArtContext& context) {
  DialScale scale{};
  scale.degrees_per_unit = 0.75;
  scale.last_value = 320;
  scale.major_step = 20;
  scale.minor_step = 10;
  scale.fine_step = 5;
  // Three-figure numerals every 20 km/h would touch at the top of the arc.
  scale.label_step = 40;
  scale.label_divisor = 1;
  scale.numeral_size = 16;
  // Far enough out that the "0" clears the read-out window.
  scale.numeral_radius = 90;
  scale.red_from = 1e9;
  scale.caption = "SPEED";
  scale.caption_x = 128;
  scale.caption_y = 96;
  // The race prints the speed as text across the face below the pivot before it blits the
  // dial, so the dial leaves it a window; the hub stays small to clear it.
  using namespace race_hud;
  scale.hub_radius = 8;
  scale.window_left = DialTextX(kSpeedTextBase, kSpeedTextLength) - kSpeedometerX - 1;
  scale.window_right = kSpeedTextRight - kSpeedometerX + 1;
  scale.window_top = kSpeedTextY - kSpeedometerY;
  scale.window_bottom = kSpeedTextY + 2 * kDialTextCell - kSpeedometerY + 2;

  Canvas canvas(kDialWidth, kDialHeight);
  DrawDialFace(canvas.cr(), scale);
  WriteBitmap(context, "SPEEDMETER", QuantizeKeyed(canvas.surface()),
              {ArtRect{0, 0, kDialWidth, kDialHeight}});
}

ArtRegistration registration("SPEEDMETER", &GenerateSpeedometer);

}  // namespace
}  // namespace race_art
