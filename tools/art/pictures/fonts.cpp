// The six bitmap-font sheets: four small 8 x 16 fonts (the frame-rate read-out and the car
// select graph's green, red and yellow labels) and the two large 16 x 32 "pop" fonts, cream
// and orange, of every menu and the race read-outs.
//
// All are drawn from one rounded face (Motoya L Maruberi) thickened with round-joined strokes,
// which gives the soft, heavy letter of an arcade "pop" font, and it carries the half-width
// katakana the car names use.
#include "tools/art/common/art_common.h"
#include "tools/art/common/font_sheet.h"

namespace {

// Large fonts: 16 x 32 cells with a dark outline all round.
GlyphLook LargeLook(Rgb top, Rgb bottom, Rgb outline) {
  GlyphLook look;
  look.style.face = FontFace(kFontRounded);
  look.style.size = 27;
  look.style.embolden = 1.1;
  look.style.outline = outline;
  look.style.outline_width = 1.6;
  look.x_scale = 0.86;
  look.max_ink_width = 15.0;
  look.baseline = 24;
  look.fill_top = top;
  look.fill_bottom = bottom;
  return look;
}

IndexedBitmap WriteSheet(const ArtContext& context, const char* name, const FontSheetLayout& layout,
                         const IndexedBitmap& bitmap) {
  ArtCheck(WriteBmp8(context.BitmapPath(name), bitmap), std::string("cannot write ") + name);
  WritePreviewPng(context.PreviewPath(name), bitmap,
                  FontCellOutlines(layout.SheetWidth(), layout.SheetHeight(), layout.cell_width));
  return bitmap;
}

struct Sheets {
  IndexedBitmap other1, green, red, yellow, cream, orange;
};

void GenerateSmallFonts(const ArtContext& context, Sheets* sheets) {
  const FontSheetLayout& layout = kSmallFontLayout;
  struct Colour { const char* name; Rgb top, bottom, outline; };
  // The graph's labels match its curves and lines: green power, red torque, yellow engine speed.
  const Colour keyed[] = {
      {"FONT_DFPOP_16_GREEN", HexRgb(0xB4FF9A), HexRgb(0x2FD84A), HexRgb(0x06300C)},
      {"FONT_DFPOP_16_RED", HexRgb(0xFFB09A), HexRgb(0xF0303A), HexRgb(0x380808)},
      {"FONT_DFPOP_16_YELLOW", HexRgb(0xFFF6A8), HexRgb(0xFFC81E), HexRgb(0x382A04)},
  };
  IndexedBitmap* outputs[] = {&sheets->green, &sheets->red, &sheets->yellow};
  for (int i = 0; i < 3; ++i) {
    const Colour& c = keyed[i];
    Canvas canvas(layout.SheetWidth(), layout.SheetHeight());
    DrawFontSheet(canvas.cr(), layout, &SmallFontCharacter, SmallFontLook(c.top, c.bottom, c.outline, 0.6));
    *outputs[i] = WriteSheet(context, c.name, layout, QuantizeKeyed(canvas.surface()));
  }

  // The frame-rate read-out is blitted without a key: light figures on a dark panel of its own.
  Canvas canvas(layout.SheetWidth(), layout.SheetHeight());
  cairo_t* cr = canvas.cr();
  cairo_pattern_t* panel = VerticalGradient(0, 16, {{0, HexRgb(0x26304E)}, {1, HexRgb(0x121829)}});
  for (int row = 0; row < layout.rows; ++row) {
    cairo_save(cr);
    cairo_translate(cr, 0, row * layout.CellHeight());
    cairo_set_source(cr, panel);
    cairo_paint(cr);
    cairo_restore(cr);
  }
  cairo_pattern_destroy(panel);
  DrawFontSheet(cr, layout, &SmallFontCharacter, SmallFontLook(HexRgb(0xE8FBFF), HexRgb(0x7CD2FF), HexRgb(0x0A1020), 0.0));
  sheets->other1 = WriteSheet(context, "FONT_DFPOP_16_OTHER1", layout, QuantizeOpaque(canvas.surface()));
}

void GenerateLargeFonts(const ArtContext& context, Sheets* sheets) {
  const FontSheetLayout& layout = kLargeFontLayout;
  struct Colour { const char* name; Rgb top, bottom, outline; };
  const Colour colours[] = {
      {"FONT_DFPOP_32_CREAM", HexRgb(0xFFFCEE), HexRgb(0xF2D79E), HexRgb(0x4A2A1A)},
      {"FONT_DFPOP_32_ORANGE", HexRgb(0xFFE27A), HexRgb(0xF46A12), HexRgb(0x4A1804)},
  };
  IndexedBitmap* outputs[] = {&sheets->cream, &sheets->orange};
  for (int i = 0; i < 2; ++i) {
    const Colour& c = colours[i];
    Canvas canvas(layout.SheetWidth(), layout.SheetHeight());
    DrawFontSheet(canvas.cr(), layout, &LargeFontCharacter, LargeLook(c.top, c.bottom, c.outline));
    *outputs[i] = WriteSheet(context, c.name, layout, QuantizeKeyed(canvas.surface()));
  }
}

// Text set from the sheets the way the screens set it, to judge the fonts as a player sees them.
void WriteSamples(const ArtContext& context, const Sheets& s) {
  cairo_surface_t* page = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 640, 300);
  const FontSheetLayout& big = kLargeFontLayout;
  const FontSheetLayout& small = kSmallFontLayout;
  BlitFontText(page, s.cream, big, "\xB2\xB6\xBD\xDE\xC1 \xCC\xA7\xC6\xB0\xB6\xB0", 224, 8, true);
  BlitNumberText(page, s.orange, s.cream, big, " 330.7ps/5600rpm", 32, 48);
  BlitNumberText(page, s.orange, s.cream, big, "  54.5kg-m/3500rpm", 16, 84);
  BlitNumberText(page, s.orange, s.cream, big, "1510kg", 112, 120);
  BlitFontText(page, s.orange, big, "4WD", 136, 156, true);
  BlitFontText(page, s.orange, big, "Screen         :", 8, 196, true);
  BlitFontText(page, s.cream, big, "Window", 360, 196, true);
  BlitNumberText(page, s.orange, s.cream, big, " 9.512sec", 300, 120);
  BlitNumberText(page, s.orange, s.cream, big, "168.0km/h", 300, 156);
  BlitFontText(page, s.orange, big, "VORTA~", 440, 236, true);
  BlitFontText(page, s.other1, small, "060FPS", 592, 0, false);
  BlitFontText(page, s.green, small, " 300", 8, 240, true);
  BlitFontText(page, s.green, small, "(ps)", 8, 260, true);
  BlitFontText(page, s.red, small, "(kg-m)", 60, 260, true);
  BlitFontText(page, s.yellow, small, "(*1000rpm)", 120, 260, true);
  BlitFontText(page, s.yellow, small, "1 2 3 4 5 6 7 8 9 \\100", 120, 280, true);
  ArtCheck(cairo_surface_write_to_png(page, context.PreviewPath("FONT_samples").c_str()) == CAIRO_STATUS_SUCCESS,
           "cannot write the font samples");
  cairo_surface_destroy(page);
}

void GenerateFonts(const ArtContext& context) {
  Sheets sheets;
  GenerateSmallFonts(context, &sheets);
  GenerateLargeFonts(context, &sheets);
  WriteSamples(context, sheets);
}

ArtRegistration registration("FONT_DFPOP", &GenerateFonts);

}  // namespace
