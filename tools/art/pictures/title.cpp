// TITLE, 304 x 704: the bands of the title screen, top to bottom.
//   0..160   the logo word, which slides in from the left
//   160..208 the edition subtitle, which slides in from the right
//   208..272 the two lines asking for a key (kept in the art, not shown by the game)
//   272..432 the emblem, wiped in top-down over the logo at the same place: it repeats the
//            word exactly where the logo has it and dresses it, so the wipe reads as the
//            plain logo turning into the finished badge
//   432..512 the credits banner
//   512..672 the five menu items, 32 rows each
//   672..704 the cursor frame, transparent inside so the item under it shows through
#include "tools/art/common/art_common.h"
#include "tools/art/common/house_style.h"

#include <cmath>

namespace {

constexpr int kWidth = 304;
constexpr int kLogoTop = 0, kSubtitleTop = 160, kPromptTop = 208, kEmblemTop = 272;
constexpr int kCreditsTop = 432, kMenuTop = 512, kCursorTop = 672, kHeight = 704;

// The word of the logo and of the emblem: one place, one shape.
constexpr double kWordCenterX = 150, kWordBaseline = 108, kWordSlant = -0.22;
constexpr double kWordMaxWidth = 272;  // px of slanted ink, leaving room for the outlines

TextStyle WordStyle() {
  TextStyle style;
  style.face = FontFace(kFontBlack);
  style.size = 100;
  style.letter_spacing = -3;
  const InkBox ink = MeasureText(nullptr, "vorta", style);
  const double slanted = (ink.right - ink.left) + -kWordSlant * (ink.bottom - ink.top);
  style.size *= kWordMaxWidth / slanted;
  style.letter_spacing *= kWordMaxWidth / slanted;
  return style;
}

// Runs draw with the origin at the word's baseline centre, slanted like italics.
template <typename Draw>
void WithSlantedWord(cairo_t* cr, int band_top, Draw draw) {
  cairo_save(cr);
  cairo_translate(cr, kWordCenterX, band_top + kWordBaseline);
  cairo_matrix_t slant;
  cairo_matrix_init(&slant, 1, 0, kWordSlant, 1, 0, 0);
  cairo_transform(cr, &slant);
  TextStyle style = WordStyle();
  const InkBox ink = MeasureText(cr, "vorta", style);
  draw(-(ink.left + ink.right) / 2, ink);
  cairo_restore(cr);
}

void DrawChromeWord(cairo_t* cr, int band_top, Rgb outline, double outline_width, bool with_glow) {
  WithSlantedWord(cr, band_top, [&](double pen_x, const InkBox& ink) {
    TextStyle style = WordStyle();
    if (with_glow) {
      style.outline = HexRgb(0xFF7A1A);
      style.outline_width = outline_width + 4;
      cairo_push_group(cr);
      DrawText(cr, "vorta", pen_x, 0, style);
      cairo_pop_group_to_source(cr);
      cairo_paint_with_alpha(cr, 0.55);
    }
    cairo_pattern_t* chrome = VerticalGradient(ink.top, ink.bottom, {
        {0.00, HexRgb(0xFFFFFF)}, {0.38, HexRgb(0xBFD8F2)}, {0.50, HexRgb(0x2E4C86)},
        {0.56, HexRgb(0x5676B8)}, {0.80, HexRgb(0xD6E6FA)}, {1.00, HexRgb(0xFFFFFF)}});
    style.fill_pattern = chrome;
    style.outline = outline;
    style.outline_width = outline_width;
    DrawText(cr, "vorta", pen_x, 0, style);
    cairo_pattern_destroy(chrome);
  });
}

void DrawLogo(cairo_t* cr) {
  DrawChromeWord(cr, kLogoTop, HexRgb(0x0C1838), 3.5, false);
}

void DrawSubtitle(cairo_t* cr) {
  const double baseline = kSubtitleTop + 36;
  cairo_pattern_t* gold = PopGradient(kSubtitleTop + 10, kSubtitleTop + 38, OrangeTop(), OrangeBottom());
  TextStyle style = PopLettering(30, OrangeOutline());
  style.fill_pattern = gold;
  style.letter_spacing = 1;
  cairo_save(cr);
  cairo_translate(cr, 152, baseline);
  cairo_matrix_t slant;
  cairo_matrix_init(&slant, 1, 0, -0.18, 1, 0, 0);
  cairo_transform(cr, &slant);
  cairo_translate(cr, -152, -baseline);
  DrawTextFitted(cr, "~Mark Q~", 152, baseline, 200, style);
  cairo_restore(cr);
  cairo_pattern_destroy(gold);
  // Pin lines either side of the lettering.
  for (int side = -1; side <= 1; side += 2) {
    const double inner = 152 + side * 108, outer = 152 + side * 146;
    cairo_pattern_t* line = LinearGradient(inner, 0, outer, 0, {{0, Gold()}, {1, Gold(), 0.0}});
    cairo_set_source(cr, line);
    cairo_rectangle(cr, std::min(inner, outer), baseline - 12, std::abs(outer - inner), 2.5);
    cairo_fill(cr);
    cairo_pattern_destroy(line);
  }
}

void DrawPrompt(cairo_t* cr) {
  TextStyle english = PopLettering(24, CreamOutline());
  cairo_pattern_t* cream = PopGradient(kPromptTop + 6, kPromptTop + 28, CreamTop(), CreamBottom());
  english.fill_pattern = cream;
  english.letter_spacing = 1;
  DrawTextFitted(cr, "PUSH SPACE KEY", 152, kPromptTop + 27, 280, english);
  cairo_pattern_destroy(cream);
  TextStyle japanese = PopLettering(19, OrangeOutline());
  cairo_pattern_t* orange = PopGradient(kPromptTop + 40, kPromptTop + 58, OrangeTop(), OrangeBottom());
  japanese.fill_pattern = orange;
  DrawTextFitted(cr, "スペースキーを押してください", 152, kPromptTop + 57, 290, japanese);
  cairo_pattern_destroy(orange);
}

void DrawCheckerArc(cairo_t* cr, int top) {
  // A slanted chequered flag strip across the top of the badge.
  const int columns = 22, rows = 2;
  const double left = 26, right = 278, y0 = top + 4, cell_h = 7;
  const double cell_w = (right - left) / columns;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      const double bend = 10 * std::pow((c + 0.5 - columns / 2.0) / (columns / 2.0), 2);
      const double x = left + c * cell_w, y = y0 + r * cell_h + bend;
      SetSource(cr, (r + c) % 2 ? HexRgb(0x1A1A24) : HexRgb(0xF4F4F8));
      cairo_move_to(cr, x + 2, y);
      cairo_line_to(cr, x + cell_w + 2, y);
      cairo_line_to(cr, x + cell_w, y + cell_h);
      cairo_line_to(cr, x, y + cell_h);
      cairo_close_path(cr);
      cairo_fill(cr);
    }
  }
}

void DrawEmblem(cairo_t* cr) {
  const int top = kEmblemTop;
  // A red swoosh through the middle of the word, tapering to the right like a wake.
  cairo_pattern_t* red = LinearGradient(0, top + 58, 0, top + 96, {{0, HexRgb(0xFF5A3A)}, {1, HexRgb(0x9A0A14)}});
  cairo_set_source(cr, red);
  cairo_move_to(cr, 4, top + 70);
  cairo_curve_to(cr, 90, top + 52, 220, top + 56, 300, top + 62);
  cairo_line_to(cr, 296, top + 76);
  cairo_curve_to(cr, 220, top + 84, 100, top + 96, 10, top + 98);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_pattern_destroy(red);
  DrawCheckerArc(cr, top);
  DrawChromeWord(cr, top, HexRgb(0x3A0610), 4.0, true);

  // The plate under the word.
  const double plate_top = top + 122, plate_h = 20;
  cairo_pattern_t* plate = VerticalGradient(plate_top, plate_top + plate_h, {{0, HexRgb(0x2A3E72)}, {1, HexRgb(0x0E1834)}});
  cairo_move_to(cr, 62, plate_top);
  cairo_line_to(cr, 250, plate_top);
  cairo_line_to(cr, 242, plate_top + plate_h);
  cairo_line_to(cr, 54, plate_top + plate_h);
  cairo_close_path(cr);
  cairo_set_source(cr, plate);
  cairo_fill_preserve(cr);
  SetSource(cr, Gold());
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  cairo_pattern_destroy(plate);
  TextStyle label = PopLettering(15, HexRgb(0x0A0F20));
  label.fill = HexRgb(0xFFF2C8);
  label.letter_spacing = 2;
  DrawTextFitted(cr, "DRAG  RACING", 152, plate_top + 15.5, 170, label);
}

void DrawCredits(cairo_t* cr) {
  const double top = kCreditsTop + 4, height = 72;
  RoundedRectPath(cr, 6, top, kWidth - 12, height, 10);
  cairo_pattern_t* panel = VerticalGradient(top, top + height, {{0, HexRgb(0x1E2C58)}, {1, HexRgb(0x0A1228)}});
  cairo_set_source(cr, panel);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(panel);
  cairo_set_line_width(cr, 2);
  SetSource(cr, HexRgb(0xC89A3A));
  cairo_stroke(cr);

  TextStyle heading = PopLettering(17, CreamOutline());
  cairo_pattern_t* cream = PopGradient(top + 6, top + 22, CreamTop(), CreamBottom());
  heading.fill_pattern = cream;
  heading.letter_spacing = 1;
  DrawTextFitted(cr, "(C) 2026 VORTA PROJECT", 152, top + 22, 270, heading);
  cairo_pattern_destroy(cream);

  TextStyle small;
  small.face = FontFace(kFontSansCondensedBold);
  small.size = 10.5;
  small.fill = HexRgb(0x9FC4F0);
  DrawTextFitted(cr, "LETTERING: MOTOYA L MARUBERI / M+ FONTS", 152, top + 40, 272, small);
  small.fill = HexRgb(0xFFD68A);
  DrawTextFitted(cr, "\u2191\u2193 SELECT     SPACE  ENTER     ESC  TITLE", 152, top + 58, 272, small);
}

const char* const kMenuItems[] = {"0 - 400m", "0 - 1000m", "RECORDS", "OPTIONS", "EXIT"};

void DrawMenu(cairo_t* cr) {
  for (int i = 0; i < 5; ++i) {
    const double top = kMenuTop + 32 * i;
    TextStyle style = PopLettering(25, CreamOutline());
    cairo_pattern_t* fill = (i < 2) ? PopGradient(top + 5, top + 27, OrangeTop(), OrangeBottom())
                                    : PopGradient(top + 5, top + 27, CreamTop(), CreamBottom());
    style.fill_pattern = fill;
    style.outline = i < 2 ? OrangeOutline() : CreamOutline();
    style.letter_spacing = 1.5;
    DrawTextFitted(cr, kMenuItems[i], 152, top + 25, 196, style);
    cairo_pattern_destroy(fill);
  }
}

void DrawCursorFrame(cairo_t* cr) {
  const double top = kCursorTop;
  // The frame: an orange rounded bracket around the item; inside stays transparent.
  RoundedRectPath(cr, 36.5, top + 1.5, 231, 29, 9);
  cairo_set_line_width(cr, 5);
  SetSource(cr, HexRgb(0x5A1A04));
  cairo_stroke_preserve(cr);
  cairo_pattern_t* orange = VerticalGradient(top, top + 32, {{0, HexRgb(0xFFE08A)}, {0.5, HexRgb(0xFF9A2A)}, {1, HexRgb(0xD84A0A)}});
  cairo_set_source(cr, orange);
  cairo_set_line_width(cr, 2.6);
  cairo_stroke(cr);
  // Pointers at both ends, aimed at the item.
  for (int side = -1; side <= 1; side += 2) {
    const double tip = 152 + side * 122, back = 152 + side * 144;
    cairo_move_to(cr, back, top + 6);
    cairo_line_to(cr, tip, top + 16);
    cairo_line_to(cr, back, top + 26);
    cairo_line_to(cr, back + side * -5, top + 16);
    cairo_close_path(cr);
    SetSource(cr, HexRgb(0x5A1A04));
    cairo_set_line_width(cr, 2.5);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_set_source(cr, orange);
    cairo_fill(cr);
  }
  cairo_pattern_destroy(orange);
}

void GenerateTitle(const ArtContext& context) {
  Canvas canvas(kWidth, kHeight);
  cairo_t* cr = canvas.cr();
  struct Band { int top, bottom; void (*draw)(cairo_t*); };
  const Band bands[] = {{kLogoTop, kSubtitleTop, &DrawLogo},   {kSubtitleTop, kPromptTop, &DrawSubtitle},
                        {kPromptTop, kEmblemTop, &DrawPrompt}, {kEmblemTop, kCreditsTop, &DrawEmblem},
                        {kCreditsTop, kMenuTop, &DrawCredits}, {kMenuTop, kCursorTop, &DrawMenu},
                        {kCursorTop, kHeight, &DrawCursorFrame}};
  std::vector<ArtRect> outlines;
  for (const Band& band : bands) {
    // Each band is blitted on its own: nothing may spill into its neighbours.
    cairo_save(cr);
    cairo_rectangle(cr, 0, band.top, kWidth, band.bottom - band.top);
    cairo_clip(cr);
    band.draw(cr);
    cairo_restore(cr);
    outlines.push_back(ArtRect{0, band.top, kWidth, band.bottom});
  }
  for (int i = 1; i < 5; ++i) outlines.push_back(ArtRect{0, kMenuTop + 32 * i, kWidth, kMenuTop + 32 * i + 1});

  const IndexedBitmap bitmap = QuantizeKeyed(canvas.surface());
  ArtCheck(WriteBmp8(context.BitmapPath("TITLE"), bitmap), "cannot write TITLE");
  WritePreviewPng(context.PreviewPath("TITLE"), bitmap, outlines);
}

ArtRegistration registration("TITLE", &GenerateTitle);

}  // namespace
