// The tachometer sheet: three 256 x 208 faces side by side, one per tachometer scale of the car
// data (10000, 16000 and 18000 rpm at the end of the needle's sweep).
#include "tools/art/pictures/dial_face.h"
#include "tools/art/pictures/race_art.h"

namespace race_art {
namespace {

struct TachoFace {
  double rev_limit;  // rpm at the needle's last angle
  double label_step;  // rpm between numerals
  double fine_step;   // rpm between the shortest ticks, 0 for none
  double red_from;    // rpm
};

// The red zone starts where the engines of each class stop making torque worth revving for.
constexpr TachoFace kFaces[3] = {
    {10000, 1000, 250, 8500},
    {16000, 2000, 0, 14000},
    {18000, 2000, 0, 16000},
};

DialScale TachoScale(const TachoFace& face) {
  DialScale scale{};
  scale.degrees_per_unit = (kDialEndDegrees - kDialStartDegrees) / face.rev_limit;
  scale.last_value = face.rev_limit;
  scale.major_step = 1000;
  scale.minor_step = 500;
  scale.fine_step = face.fine_step;
  scale.label_step = face.label_step;
  scale.label_divisor = 1000;
  scale.numeral_size = 21;
  scale.numeral_radius = 84;
  scale.red_from = face.red_from;
  scale.caption = "x1000r/min";
  // Below the pivot, clear of the gear gate that the race lays over the lower right.
  scale.caption_x = 112;
  scale.caption_y = 166;
  scale.hub_radius = 13;
  return scale;
}

void GenerateTachometer(const ArtContext& context) {
  Canvas canvas(3 * kDialWidth, kDialHeight);
  std::vector<ArtRect> outlines;
  for (int row = 0; row < 3; ++row) {
    cairo_save(canvas.cr());
    cairo_translate(canvas.cr(), row * kDialWidth, 0);
    DrawDialFace(canvas.cr(), TachoScale(kFaces[row]));
    cairo_restore(canvas.cr());
    outlines.push_back(ArtRect{row * kDialWidth, 0, (row + 1) * kDialWidth, kDialHeight});
  }
  WriteBitmap(context, "TACHOMETER", QuantizeKeyed(canvas.surface()), outlines);
}

ArtRegistration registration("TACHOMETER", &GenerateTachometer);

}  // namespace
}  // namespace race_art
