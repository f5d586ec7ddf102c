// Mock-ups of the race screen for people judging the instruments: the pictures just written,
// blitted to the places and in the order the race draws them, with both speedometer styles and
// the needles computed the way the race computes them.
//
// Runs with the other read-back previews, after the race views (previews go in name order),
// and uses the one the model preview rendered at 90 m as its backdrop when there is one.
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/art/common/font_sheet.h"
#include "tools/art/pictures/race_art.h"
#include "tools/art/pictures/race_hud_layout.h"

namespace race_art {
namespace {

using namespace race_hud;

struct Pictures {
  IndexedBitmap back, font, mission, speedometer, tachometer, cream, orange, fps;
};

bool Load(const std::string& path, IndexedBitmap* bitmap) {
  std::string error;
  if (std::filesystem::exists(path) && ReadBmp8(path, bitmap, &error)) return true;
  std::fprintf(stderr, "artgen: race HUD mock-up skipped, no %s\n", path.c_str());
  return false;
}

bool LoadPictures(const ArtContext& context, Pictures* p) {
  return Load(context.BitmapPath("BACK"), &p->back) && Load(context.BitmapPath("FONT"), &p->font) &&
         Load(context.BitmapPath("MISSION"), &p->mission) &&
         Load(context.BitmapPath("SPEEDMETER"), &p->speedometer) &&
         Load(context.BitmapPath("TACHOMETER"), &p->tachometer) &&
         Load(context.BitmapPath("FONT_DFPOP_32_CREAM"), &p->cream) &&
         Load(context.BitmapPath("FONT_DFPOP_32_ORANGE"), &p->orange) &&
         Load(context.BitmapPath("FONT_DFPOP_16_OTHER1"), &p->fps);
}

// The red kite the race draws for a needle at `degrees` about (cx, cy).
void DrawNeedle(cairo_surface_t* target, double cx, double cy, double degrees) {
  const Point tip = DialPoint(cx, cy, degrees, 125);
  const Point side1 = DialPoint(cx, cy, degrees + 90, 3);
  const Point tail = DialPoint(cx, cy, degrees + 180, 20);
  const Point side2 = DialPoint(cx, cy, degrees - 90, 3);
  cairo_t* cr = cairo_create(target);
  cairo_move_to(cr, tip.x, tip.y);
  cairo_line_to(cr, side1.x, side1.y);
  cairo_line_to(cr, tail.x, tail.y);
  cairo_line_to(cr, side2.x, side2.y);
  cairo_close_path(cr);
  cairo_set_source_rgb(cr, 1, 0, 0);
  cairo_fill(cr);
  cairo_destroy(cr);
}

struct Moment {
  const char* name;
  int style;             // speedometer style: 0 digital, else dial
  double speed;          // km/h
  double rpm;
  int tacho_row;         // 0..2
  double rev_limit;      // rpm of that row
  unsigned race_time_ms;
  double distance;       // m
  bool finished, placed, six_speed;
  int gear_column, gear_row;
  const char* car_name;  // single-byte text as the car data holds it
};

const Moment kMoments[] = {
    {"race_hud_digital", 0, 123.45, 7400, 0, 10000, 12345, 196.7, false, false, false, 1, 0,
     "\xB2\xB6\xBD\xDE\xC1 \xCC\xA7\xC6\xB0\xB6\xB0"},
    {"race_hud_digital_finish", 0, 208.04, 9650, 0, 10000, 9512, 400, true, true, true, 2, 2,
     "MINASE Kagero V6 Turbo"},
    {"race_hud_dials", 1, 187.6, 15500, 2, 18000, 24018, 655.2, false, false, true, 2, 2,
     "KOGANE F-11 Formula"},
    {"race_hud_dials_finish", 1, 312.4, 10000, 0, 10000, 13570, 1000, true, true, false, 2, 0,
     "\xB2\xB6\xBD\xDE\xC1 \xCC\xA7\xC6\xB0\xB6\xB0"},
};

void DrawDigital(cairo_surface_t* screen, const Pictures& p, const Moment& m) {
  BlitBitmapRect(screen, p.font, kSpeedPanel, kSpeedPanelX, kSpeedPanelY, true);
  const int s = int(m.speed * 10);
  int power = 1;
  for (int k = 0; k <= 3; ++k, power *= 10) {
    const int d = s / power % 10;
    if (k == 0) BlitBitmapRect(screen, p.font, SmallDigit(d), kTenthsDigitX, kTenthsDigitY, true);
    else BlitBitmapRect(screen, p.font, LargeDigit(d), LargeSpeedDigitX(k), kLargeSpeedDigitY, true);
  }
  BlitBitmapRect(screen, p.font, kTimePanel, kTimePanelX, kTimePanelY, true);
  unsigned scale = 1;
  for (int place = 0; place <= 5; ++place) {
    if (place == 3) {
      BlitBitmapRect(screen, p.font, kTimePoint, kTimePointX, kTimePointY, true);
      continue;
    }
    BlitBitmapRect(screen, p.font, TimeDigit(int(m.race_time_ms / scale % 10)), TimeDigitX(place), kTimeDigitY, true);
    scale *= 10;
  }
  BlitBitmapRect(screen, p.font, kDistancePanel, kDistancePanelX, kDistancePanelY, true);
  const int metres = m.finished ? int(m.distance) : int(float(m.distance) * 10.0f) / 10;
  power = 1;
  for (int j = 0; j <= 3; ++j, power *= 10)
    BlitBitmapRect(screen, p.font, DistanceDigit(metres / power % 10), DistanceDigitX(j), kDistanceDigitY, true);
}

void DrawDials(cairo_surface_t* screen, const Pictures& p, const Moment& m) {
  char text[32];
  std::snprintf(text, sizeof text, "%4.0fm", m.distance);
  int length = int(std::string(text).size());
  BlitNumberText(screen, p.orange, p.cream, kLargeFontLayout, text, DialTextX(kDistanceTextBase, length),
                 kDistanceTextY);
  std::snprintf(text, sizeof text, "%6.3fsec", m.race_time_ms * 0.001);
  length = int(std::string(text).size());
  BlitNumberText(screen, p.orange, p.cream, kLargeFontLayout, text, DialTextX(kTimeTextBase, length), kTimeTextY);
  std::snprintf(text, sizeof text, "%5.1fkm/h", m.speed);
  length = int(std::string(text).size());
  BlitNumberText(screen, p.orange, p.cream, kLargeFontLayout, text, DialTextX(kSpeedTextBase, length), kSpeedTextY);
  BlitBitmapRect(screen, p.speedometer, ArtRect{0, 0, 256, 208}, kSpeedometerX, kSpeedometerY, true);
  DrawNeedle(screen, kSpeedometerX + kDialCentreX, kSpeedometerY + kDialCentreY,
             m.speed * 0.7500001875000468 - 30);
}

void Compose(cairo_surface_t* screen, const Pictures& p, const Moment& m) {
  const int row = m.tacho_row;
  BlitBitmapRect(screen, p.tachometer, ArtRect{256 * row, 0, 256 * row + 256, 208}, kTachometerX, kTachometerY, true);
  DrawNeedle(screen, kTachometerX + kDialCentreX, kTachometerY + kDialCentreY,
             kDialStartDegrees + m.rpm * (kDialEndDegrees - kDialStartDegrees) / m.rev_limit);
  BlitBitmapRect(screen, p.mission, m.six_speed ? ArtRect{80, 0, 160, 80} : ArtRect{0, 0, 80, 80}, kGateX, kGateY, true);
  BlitBitmapRect(screen, p.mission, ArtRect{160, 0, 192, 32}, KnobX(m.gear_column), KnobY(m.gear_row), true);
  if (m.style == 0) DrawDigital(screen, p, m);
  else DrawDials(screen, p, m);
  if (m.finished) BlitBitmapRect(screen, p.font, kFinishBanner, kFinishBannerX, kFinishBannerY, true);
  if (m.placed) BlitBitmapRect(screen, p.font, kRecordBanner, kRecordBannerX, kRecordBannerY, true);
  const std::string name = m.car_name;
  BlitFontText(screen, p.cream, kLargeFontLayout, name, DialTextX(kCarNameBase, int(name.size())), kCarNameY, true);
  BlitFontText(screen, p.fps, kSmallFontLayout, "060FPS", 592, 0, false);
}

// The race view from the model previews when they have been drawn, else the background alone.
cairo_surface_t* Backdrop(const ArtContext& context, const Pictures& p) {
  const std::string rendered = context.PreviewPath("race_90m");
  if (std::filesystem::exists(rendered)) {
    cairo_surface_t* png = cairo_image_surface_create_from_png(rendered.c_str());
    if (cairo_surface_status(png) == CAIRO_STATUS_SUCCESS && cairo_image_surface_get_width(png) == 640 &&
        cairo_image_surface_get_height(png) == 480) {
      cairo_surface_t* screen = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 640, 480);
      cairo_t* cr = cairo_create(screen);
      cairo_set_source_surface(cr, png, 0, 0);
      cairo_paint(cr);
      cairo_destroy(cr);
      cairo_surface_destroy(png);
      return screen;
    }
    cairo_surface_destroy(png);
  }
  cairo_surface_t* screen = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 640, 480);
  cairo_t* cr = cairo_create(screen);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  BlitBitmapRect(screen, p.back, ArtRect{0, 0, 640, 352}, 0, 0, false);
  return screen;
}

void GenerateRaceHudPreview(const ArtContext& context) {
  Pictures pictures;
  if (!LoadPictures(context, &pictures)) return;
  for (const Moment& moment : kMoments) {
    cairo_surface_t* screen = Backdrop(context, pictures);
    Compose(screen, pictures, moment);
    ArtCheck(cairo_surface_write_to_png(screen, context.PreviewPath(moment.name).c_str()) == CAIRO_STATUS_SUCCESS,
             std::string("cannot write preview ") + moment.name);
    cairo_surface_destroy(screen);
  }
}

ArtPreviewRegistration registration("RACE_VIEWS_WITH_HUD", &GenerateRaceHudPreview);

}  // namespace
}  // namespace race_art
