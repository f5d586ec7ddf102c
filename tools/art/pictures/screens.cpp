// The fixed art of the car select, option and record screens: CARSELECT (288 x 144),
// OPTION (148 x 80) and RECORD (432 x 112). Each piece sits at the rectangle the screen copies
// it from; everything outside the pieces stays black (transparent).
#include "tools/art/common/art_common.h"
#include "tools/art/common/house_style.h"

#include <cmath>

namespace {

void SavePicture(const ArtContext& context, const char* name, const Canvas& canvas,
                 const std::vector<ArtRect>& pieces) {
  const IndexedBitmap bitmap = QuantizeKeyed(canvas.surface());
  ArtCheck(WriteBmp8(context.BitmapPath(name), bitmap), std::string("cannot write ") + name);
  WritePreviewPng(context.PreviewPath(name), bitmap, pieces);
}

// Runs draw clipped to the piece, so no piece can bleed into the one next to it.
template <typename Draw>
void InPiece(cairo_t* cr, const ArtRect& r, Draw draw) {
  cairo_save(cr);
  cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
  cairo_clip(cr);
  draw();
  cairo_restore(cr);
}

// A caption over a read-out: a coloured tab at the left and light lettering, so it reads as a
// label and never as a value.
void DrawCaption(cairo_t* cr, const ArtRect& r, const std::string& text, Rgb accent) {
  InPiece(cr, r, [&] {
    const double h = r.bottom - r.top, w = r.right - r.left;
    const double bar_top = r.top + h - 7;
    cairo_pattern_t* bar = LinearGradient(r.left, 0, r.right, 0,
        {{0.0, accent}, {0.6, accent, 0.55}, {1.0, accent, 0.0}});
    cairo_set_source(cr, bar);
    cairo_move_to(cr, r.left + 4, bar_top);
    cairo_line_to(cr, r.right - 2, bar_top);
    cairo_line_to(cr, r.right - 4, bar_top + 3);
    cairo_line_to(cr, r.left + 2, bar_top + 3);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_pattern_destroy(bar);

    TextStyle style = PopLettering(17, HexRgb(0x0C1A34));
    cairo_pattern_t* fill = VerticalGradient(r.top + 7, r.top + 22, {{0, HexRgb(0xF4FAFF)}, {1, HexRgb(0xA8D0FF)}});
    style.fill_pattern = fill;
    style.letter_spacing = 1;
    DrawTextFitted(cr, text, r.left + w / 2, r.top + 21, w - 8, style);
    cairo_pattern_destroy(fill);
  });
}

void GenerateCarSelect(const ArtContext& context) {
  Canvas canvas(288, 144);
  cairo_t* cr = canvas.cr();
  const ArtRect title{0, 0, 208, 48}, power{0, 48, 128, 80}, torque{128, 48, 288, 80};
  const ArtRect weight{0, 80, 128, 112}, drive{128, 80, 256, 112};
  const ArtRect left_arrow{0, 112, 32, 144}, right_arrow{32, 112, 64, 144};

  DrawScreenHeading(cr, "CAR SELECT", title);
  // The power and torque captions take the colours of their curves on the graph.
  DrawCaption(cr, power, "MAX POWER", HexRgb(0x3CE05A));
  DrawCaption(cr, torque, "MAX TORQUE", HexRgb(0xF0383A));
  DrawCaption(cr, weight, "WEIGHT", HexRgb(0x4AA8FF));
  DrawCaption(cr, drive, "DRIVE", HexRgb(0xFFC93C));
  InPiece(cr, left_arrow, [&] { DrawPointer(cr, 5, 128, 22, 11, -1); });
  InPiece(cr, right_arrow, [&] { DrawPointer(cr, 59, 128, 22, 11, +1); });

  SavePicture(context, "CARSELECT", canvas, {title, power, torque, weight, drive, left_arrow, right_arrow});
}

// A heavy bracket opening to the right (direction +1, the left bracket) or to the left.
void DrawBracket(cairo_t* cr, const ArtRect& r, int direction) {
  InPiece(cr, r, [&] {
    const double spine = direction > 0 ? r.left + 5.5 : r.right - 5.5;
    const double arm = spine + direction * 7;
    cairo_new_path(cr);
    cairo_move_to(cr, arm, r.top + 4);
    cairo_line_to(cr, spine, r.top + 4);
    cairo_line_to(cr, spine, r.bottom - 4);
    cairo_line_to(cr, arm, r.bottom - 4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 6);
    SetSource(cr, HexRgb(0x5A1A04));
    cairo_stroke_preserve(cr);
    cairo_pattern_t* orange = VerticalGradient(r.top, r.bottom,
        {{0, HexRgb(0xFFE08A)}, {0.5, HexRgb(0xFF9A2A)}, {1, HexRgb(0xD84A0A)}});
    cairo_set_source(cr, orange);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_pattern_destroy(orange);
  });
}

void GenerateOption(const ArtContext& context) {
  Canvas canvas(148, 80);
  cairo_t* cr = canvas.cr();
  const ArtRect title{0, 0, 148, 48}, left{0, 48, 16, 80}, right{16, 48, 32, 80};
  DrawScreenHeading(cr, "OPTION", title);
  DrawBracket(cr, left, +1);
  DrawBracket(cr, right, -1);
  SavePicture(context, "OPTION", canvas, {title, left, right});
}

void DrawPlaceLabel(cairo_t* cr, const ArtRect& r, const char* text, Rgb top, Rgb bottom, Rgb outline) {
  InPiece(cr, r, [&] {
    TextStyle style = PopLettering(22, outline);
    cairo_pattern_t* fill = VerticalGradient(r.top + 6, r.top + 26, {{0, top}, {1, bottom}});
    style.fill_pattern = fill;
    DrawTextFitted(cr, text, (r.left + r.right) / 2.0, r.top + 25, r.right - r.left - 4, style);
    cairo_pattern_destroy(fill);
  });
}

void DrawLabel(cairo_t* cr, const ArtRect& r, const char* text, double size) {
  InPiece(cr, r, [&] {
    TextStyle style = PopLettering(size, CreamOutline());
    cairo_pattern_t* fill = VerticalGradient(r.top + 5, r.top + 27, {{0, CreamTop()}, {1, CreamBottom()}});
    style.fill_pattern = fill;
    style.letter_spacing = 1;
    DrawTextFitted(cr, text, (r.left + r.right) / 2.0, r.top + 25, r.right - r.left - 6, style);
    cairo_pattern_destroy(fill);
  });
}

void DrawNewMark(cairo_t* cr, const ArtRect& r) {
  InPiece(cr, r, [&] {
    const double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0;
    const double pi = 3.14159265358979323846;
    // A red burst, wider than tall to suit the 64 x 32 piece.
    cairo_new_path(cr);
    const int points = 14;
    for (int i = 0; i < 2 * points; ++i) {
      const double a = pi * i / points;
      const double radius = (i % 2) ? 0.78 : 1.0;
      const double x = cx + std::cos(a) * 31 * radius, y = cy + std::sin(a) * 15.5 * radius;
      if (i == 0) cairo_move_to(cr, x, y);
      else cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
    cairo_pattern_t* red = VerticalGradient(r.top, r.bottom, {{0, HexRgb(0xFF6A4A)}, {1, HexRgb(0xB8101A)}});
    cairo_set_source(cr, red);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(red);
    SetSource(cr, HexRgb(0xFFE27A));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    TextStyle style = PopLettering(17, HexRgb(0x4A0408));
    style.fill = HexRgb(0xFFFFF0);
    DrawTextFitted(cr, "NEW!", cx, cy + 6.5, 46, style);
  });
}

void DrawCharacterCursor(cairo_t* cr, const ArtRect& r) {
  InPiece(cr, r, [&] {
    // Only the outline: the character under it must stay readable.
    RoundedRectPath(cr, r.left + 1.5, r.top + 1.5, 13, 29, 3);
    cairo_set_line_width(cr, 2);
    SetSource(cr, HexRgb(0x7CF0FF));
    cairo_stroke(cr);
    cairo_rectangle(cr, r.left + 3, r.bottom - 5, 10, 2);
    SetSource(cr, HexRgb(0xFFFFFF));
    cairo_fill(cr);
  });
}

void GenerateRecord(const ArtContext& context) {
  Canvas canvas(432, 112);
  cairo_t* cr = canvas.cr();
  std::vector<ArtRect> pieces;
  const char* const places[] = {"1st", "2nd", "3rd", "4th", "5th"};
  struct Medal { Rgb top, bottom, outline; };
  const Medal medals[] = {
      {HexRgb(0xFFF4A0), HexRgb(0xE8A010), HexRgb(0x4A2A04)},  // gold
      {HexRgb(0xFFFFFF), HexRgb(0x9AA8BC), HexRgb(0x1E2838)},  // silver
      {HexRgb(0xFFD0A0), HexRgb(0xB0602A), HexRgb(0x3A1A08)},  // bronze
      {HexRgb(0xE8F4FF), HexRgb(0x7CA8DC), HexRgb(0x0C1A34)},
      {HexRgb(0xE8F4FF), HexRgb(0x7CA8DC), HexRgb(0x0C1A34)},
  };
  for (int i = 0; i < 5; ++i) {
    const ArtRect r{48 * i, 0, 48 * i + 48, 32};
    DrawPlaceLabel(cr, r, places[i], medals[i].top, medals[i].bottom, medals[i].outline);
    pieces.push_back(r);
  }
  const ArtRect time_label{240, 0, 336, 32}, speed_label{336, 0, 432, 32};
  DrawLabel(cr, time_label, "TIME", 22);
  DrawLabel(cr, speed_label, "TOP SPEED", 20);
  const ArtRect heading{0, 32, 256, 80}, new_mark{256, 32, 320, 64};
  DrawScreenHeading(cr, "BEST RECORD", heading);
  DrawNewMark(cr, new_mark);
  const ArtRect course400{0, 80, 96, 112}, course1000{96, 80, 192, 112};
  DrawLabel(cr, course400, "400m", 22);
  DrawLabel(cr, course1000, "1000m", 22);
  // The arrows stand at the two ends of their piece and frame a 96-px label between them.
  const ArtRect arrows{192, 80, 352, 112}, cursor{352, 80, 368, 112};
  InPiece(cr, arrows, [&] {
    DrawPointer(cr, 196, 96, 22, 10, -1);
    DrawPointer(cr, 348, 96, 22, 10, +1);
  });
  DrawCharacterCursor(cr, cursor);
  pieces.insert(pieces.end(), {time_label, speed_label, heading, new_mark, course400, course1000, arrows, cursor});
  SavePicture(context, "RECORD", canvas, pieces);
}

ArtRegistration carselect("CARSELECT", &GenerateCarSelect);
ArtRegistration option("OPTION", &GenerateOption);
ArtRegistration record("RECORD", &GenerateRecord);

}  // namespace
