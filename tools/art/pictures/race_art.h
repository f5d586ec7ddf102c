// What the race's pictures share: the dial geometry the race uses for its needles, the race's
// typefaces, and the step that turns a finished drawing into a resource with its preview.
#pragma once

#include <cairo.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/art/common/art_common.h"

namespace race_art {

constexpr double kPi = 3.14159265358979323846;
// The race converts its needle angles with exactly this factor.
constexpr double kRadiansPerDegree = 0.017453292519943295;

// Needle angles run from -30 degrees at zero to 170 degrees at the top of the scale.
constexpr double kDialStartDegrees = -30.0;
constexpr double kDialEndDegrees = 170.0;

// Every dial face is 256 x 208 with its needle pivot here.
constexpr int kDialWidth = 256, kDialHeight = 208;
constexpr double kDialCentreX = 128.0, kDialCentreY = 128.0;

struct Point {
  double x, y;
};

// Where the race puts a needle point: radius r (px) from the pivot at `degrees`, with 0 degrees
// pointing left, 90 straight up and angles growing clockwise on screen.
inline Point DialPoint(double cx, double cy, double degrees, double r) {
  const double a = degrees * kRadiansPerDegree;
  return Point{cx - r * std::cos(a), cy - r * std::sin(a)};
}

// Typefaces of the instruments: a condensed sans for dial numerals and labels, a heavy square
// sans for the digital figures and banners.
cairo_font_face_t* DialFace();
cairo_font_face_t* FigureFace();
cairo_font_face_t* LabelFace();

// Leans everything drawn after it like italic type: a point `slant` px right for every px it
// stands above the row y0, and as much left below it.
void LeanAbout(cairo_t* cr, double y0, double slant);

// The plate every read-out is set on: dark navy glass in a steel frame.
void DrawReadoutPlate(cairo_t* cr, const ArtRect& r);

// Writes the bitmap into resources/bitmaps (or textures) and its outlined preview.
void WriteBitmap(const ArtContext& context, const std::string& name, const IndexedBitmap& bitmap,
                 const std::vector<ArtRect>& outlines);
void WriteTexture(const ArtContext& context, const std::string& name, const IndexedBitmap& bitmap,
                  const std::vector<ArtRect>& outlines);

// A deterministic pseudo-random sequence for grain and scatter, the same on every machine.
class Grain {
 public:
  explicit Grain(uint32_t seed) : state_(seed ? seed : 1u) {}
  // 0..1
  double Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return (state_ & 0xFFFFFF) / double(0x1000000);
  }

 private:
  uint32_t state_;
};

}  // namespace race_art
