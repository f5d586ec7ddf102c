// The race's "Font" picture: the digital speed, time and distance read-outs (figures and the
// panels they are set on) and the finish and record banners.
//
// The race blits each panel first and its figures over it with the black key, so a figure cell
// is black wherever the panel is to show, and every panel leaves its figure places plain.
#include "tools/art/common/house_style.h"
#include "tools/art/pictures/figures.h"
#include "tools/art/pictures/race_art.h"
#include "tools/art/pictures/race_hud_layout.h"

namespace race_art {
namespace {

using namespace race_hud;

constexpr double kSlant = 0.16;

// The read-outs' baselines, px from the top of their panels; the speed's tenths share the
// large figures' baseline.
constexpr double kSpeedBaseline = 70;
constexpr double kTimeBaseline = 39;
constexpr double kDistanceBaseline = 26;

const FigureLook kSpeedLook{58, 48 - 6 - kSlant * 58, kSlant, 2.0, OrangeTop(), OrangeBottom(), OrangeOutline()};
const FigureLook kTenthsLook{32, 32 - 4 - kSlant * 32, kSlant, 1.6, OrangeTop(), OrangeBottom(), OrangeOutline()};
const FigureLook kTimeLook{30, 32 - 4 - kSlant * 30, kSlant, 1.6, CreamTop(), CreamBottom(), CreamOutline()};
const FigureLook kDistanceLook{20, 16 - 2 - kSlant * 20, kSlant, 1.2, CreamTop(), CreamBottom(), CreamOutline()};

TextStyle Caption(double size, Rgb colour) {
  TextStyle style;
  style.face = LabelFace();
  style.size = size;
  style.fill = colour;
  style.outline = HexRgb(0x060A18);
  style.outline_width = 1.0;
  return style;
}

const Rgb kCaptionBlue = HexRgb(0x8CB4F0);

void DrawPoint(cairo_t* cr, double cx, double baseline, double size, const FigureLook& look) {
  cairo_save(cr);
  cairo_translate(cr, cx, baseline);
  LeanAbout(cr, 0, kSlant);
  cairo_rectangle(cr, -size / 2, -size, size, size);
  SetSource(cr, look.outline);
  cairo_set_line_width(cr, 2 * look.outline_width);
  cairo_stroke_preserve(cr);
  SetSource(cr, look.bottom);
  cairo_fill(cr);
  cairo_restore(cr);
}

void DrawSpeedPanel(cairo_t* cr) {
  DrawReadoutPlate(cr, kSpeedPanel);
  const int x0 = kSpeedPanel.left - kSpeedPanelX, y0 = kSpeedPanel.top - kSpeedPanelY;
  // The point sits in the gap the race leaves between the tens and the tenths.
  const double gap = (LargeSpeedDigitX(1) + 48 + kTenthsDigitX) / 2.0;
  DrawPoint(cr, x0 + gap - 3, y0 + kSpeedPanelY + kSpeedBaseline, 6, kSpeedLook);
  const double label_x = x0 + (kTenthsDigitX + 32 + kSpeedPanelX + 272) / 2.0;
  // The unit stands above the figures' baseline: the record banner, when it comes, covers the
  // panel's lower right from 62 px down.
  DrawTextCenteredOnBaseline(cr, "SPEED", label_x, kSpeedPanel.top + 22, Caption(13, kCaptionBlue));
  DrawTextCenteredOnBaseline(cr, "km/h", label_x, kSpeedPanel.top + 56, Caption(20, CreamTop()));
}

void DrawTimePanel(cairo_t* cr) {
  DrawReadoutPlate(cr, kTimePanel);
  const int x0 = kTimePanel.left - kTimePanelX;
  const double label_x = x0 + (TimeDigitX(0) + 32 + kTimePanelX + 240) / 2.0;
  DrawTextCenteredOnBaseline(cr, "TIME", label_x, kTimePanel.top + 17, Caption(11, kCaptionBlue));
  DrawTextCenteredOnBaseline(cr, "sec", label_x, kTimePanel.top + kTimeBaseline, Caption(16, CreamTop()));
}

void DrawDistancePanel(cairo_t* cr) {
  DrawReadoutPlate(cr, kDistancePanel);
  const int x0 = kDistancePanel.left - kDistancePanelX;
  const double label_x = x0 + (DistanceDigitX(0) + 16 + kDistancePanelX + 96) / 2.0;
  DrawTextCenteredOnBaseline(cr, "m", label_x, kDistancePanel.top + kDistanceBaseline,
                             Caption(16, CreamTop()));
}

void DrawFigures(cairo_t* cr) {
  const FigureFit speed = FitFigures(cr, kSpeedLook);
  const FigureFit tenths = FitFigures(cr, kTenthsLook);
  const FigureFit time = FitFigures(cr, kTimeLook);
  const FigureFit distance = FitFigures(cr, kDistanceLook);
  for (int d = 0; d <= 9; ++d) {
    const std::string figure(1, char('0' + d));
    DrawFigure(cr, figure, LargeDigit(d), kSpeedPanelY - kLargeSpeedDigitY + kSpeedBaseline, kSpeedLook, speed);
    DrawFigure(cr, figure, SmallDigit(d), kSpeedPanelY - kTenthsDigitY + kSpeedBaseline, kTenthsLook, tenths);
    DrawFigure(cr, figure, TimeDigit(d), kTimePanelY - kTimeDigitY + kTimeBaseline, kTimeLook, time);
    DrawFigure(cr, figure, DistanceDigit(d), kDistancePanelY - kDistanceDigitY + kDistanceBaseline,
               kDistanceLook, distance);
  }
  // The time's point has a narrow cell of its own between the seconds and the tenths.
  DrawPoint(cr, kTimePoint.left + 5.5, kTimePoint.top + kTimePanelY - kTimePointY + kTimeBaseline, 5, kTimeLook);
}

void DrawRecordBanner(cairo_t* cr) {
  const ArtRect& r = kRecordBanner;
  const double w = r.right - r.left, h = r.bottom - r.top;
  // A red ribbon with swallow-tailed ends.
  cairo_new_path(cr);
  cairo_move_to(cr, r.left + 2, r.top + 6);
  cairo_line_to(cr, r.right - 2, r.top + 6);
  cairo_line_to(cr, r.right - 14, r.top + h / 2);
  cairo_line_to(cr, r.right - 2, r.bottom - 6);
  cairo_line_to(cr, r.left + 2, r.bottom - 6);
  cairo_line_to(cr, r.left + 14, r.top + h / 2);
  cairo_close_path(cr);
  cairo_pattern_t* ribbon = VerticalGradient(r.top + 6, r.bottom - 6,
      {{0.0, HexRgb(0xFF5A50)}, {0.5, RacingRed()}, {1.0, HexRgb(0x7A0A14)}});
  cairo_set_source(cr, ribbon);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(ribbon);
  SetSource(cr, Gold());
  cairo_set_line_width(cr, 2.0);
  cairo_stroke(cr);

  TextStyle style;
  style.face = FigureFace();
  style.size = 30;
  style.outline = HexRgb(0x3A1000);
  style.outline_width = 2.0;
  style.shadow = HexRgb(0x000000);
  style.shadow_alpha = 0.6;
  style.shadow_dx = 2;
  style.shadow_dy = 2;
  // Gradients are taken in the lettering's own space: the pen's baseline is y = 0.
  cairo_pattern_t* gold = VerticalGradient(-23, 0,
      {{0.0, HexRgb(0xFFFBD0)}, {0.5, Gold()}, {1.0, HexRgb(0xE07A10)}});
  style.fill_pattern = gold;
  cairo_save(cr);
  cairo_translate(cr, r.left + w / 2, r.top + 35);
  LeanAbout(cr, 0, kSlant);
  DrawTextFitted(cr, "NEW RECORD!", 0, 0, w - 44, style);
  cairo_restore(cr);
  cairo_pattern_destroy(gold);
}

// Chequered flag strips at both ends and the word between them.
void DrawFinishBanner(cairo_t* cr) {
  const ArtRect& r = kFinishBanner;
  const double w = r.right - r.left;
  constexpr int kSquare = 8, kColumns = 5, kRows = 5;
  for (int side = 0; side < 2; ++side) {
    const double left = side == 0 ? r.left + 4 : r.right - 4 - kColumns * kSquare;
    const double top = r.top + (48 - kRows * kSquare) / 2.0;
    cairo_save(cr);
    cairo_translate(cr, 0, top + kRows * kSquare / 2.0);
    LeanAbout(cr, 0, kSlant);
    cairo_translate(cr, 0, -kRows * kSquare / 2.0);
    cairo_rectangle(cr, left - 1, -1, kColumns * kSquare + 2, kRows * kSquare + 2);
    SetSource(cr, HexRgb(0x1A1A1E));
    cairo_fill(cr);
    for (int row = 0; row < kRows; ++row) {
      for (int column = 0; column < kColumns; ++column) {
        cairo_rectangle(cr, left + column * kSquare, row * kSquare, kSquare, kSquare);
        SetSource(cr, (row + column) % 2 ? HexRgb(0x24242A) : HexRgb(0xF4F4F4));
        cairo_fill(cr);
      }
    }
    cairo_restore(cr);
  }
  TextStyle style;
  style.face = FigureFace();
  style.size = 40;
  style.outline = HexRgb(0x101018);
  style.outline_width = 2.2;
  style.shadow = HexRgb(0x000000);
  style.shadow_alpha = 0.6;
  style.shadow_dx = 2;
  style.shadow_dy = 2;
  style.letter_spacing = 2;
  cairo_pattern_t* silver = VerticalGradient(-30, 0,
      {{0.0, HexRgb(0xFFFFFF)}, {0.55, HexRgb(0xDDE6F4)}, {0.56, HexRgb(0xA8B6CC)}, {1.0, HexRgb(0xF0F4FA)}});
  style.fill_pattern = silver;
  cairo_save(cr);
  cairo_translate(cr, r.left + w / 2, r.top + 40);
  LeanAbout(cr, 0, kSlant);
  DrawTextFitted(cr, "FINISH", 0, 0, w - 2 * (kColumns * kSquare + 16), style);
  cairo_restore(cr);
  cairo_pattern_destroy(silver);
}

std::vector<ArtRect> Outlines() {
  std::vector<ArtRect> cells;
  for (int d = 0; d <= 9; ++d) {
    cells.push_back(LargeDigit(d));
    cells.push_back(TimeDigit(d));
    cells.push_back(SmallDigit(d));
    cells.push_back(DistanceDigit(d));
  }
  for (const ArtRect& r : {kSpeedPanel, kTimePoint, kTimePanel, kRecordBanner, kFinishBanner, kDistancePanel})
    cells.push_back(r);
  return cells;
}

void GenerateRaceFont(const ArtContext& context) {
  Canvas canvas(480, 448);
  cairo_t* cr = canvas.cr();
  DrawSpeedPanel(cr);
  DrawTimePanel(cr);
  DrawDistancePanel(cr);
  DrawFigures(cr);
  DrawRecordBanner(cr);
  DrawFinishBanner(cr);
  WriteBitmap(context, "FONT", QuantizeKeyed(canvas.surface()), Outlines());
}

ArtRegistration registration("FONT", &GenerateRaceFont);

}  // namespace
}  // namespace race_art
