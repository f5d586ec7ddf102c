#include "tools/art/common/font_sheet.h"

#include "tools/art/common/preview.h"

namespace {

std::string Utf8(unsigned code_point) {
  std::string out;
  if (code_point < 0x80) {
    out += char(code_point);
  } else if (code_point < 0x800) {
    out += char(0xC0 | (code_point >> 6));
    out += char(0x80 | (code_point & 0x3F));
  } else {
    out += char(0xE0 | (code_point >> 12));
    out += char(0x80 | ((code_point >> 6) & 0x3F));
    out += char(0x80 | (code_point & 0x3F));
  }
  return out;
}

}  // namespace

std::string SmallFontCharacter(int code) {
  if (code == 92) return Utf8(0xA5);
  if (code >= 33 && code <= 126) return Utf8(unsigned(code));
  return "";
}

std::string LargeFontCharacter(int code) {
  if (code >= 33 && code <= 126) return Utf8(unsigned(code));
  // JIS X 0201 katakana 0xA1..0xDF are Unicode's half-width forms U+FF61..U+FF9F.
  if (code >= 161 && code <= 223) return Utf8(0xFF61u + unsigned(code - 161));
  return "";
}

GlyphLook SmallFontLook(Rgb top, Rgb bottom, Rgb outline, double outline_width) {
  GlyphLook look;
  look.style.face = FontFace(kFontRounded);
  look.style.size = 14.5;
  look.style.embolden = 0.45;
  look.style.outline = outline;
  look.style.outline_width = outline_width;
  look.x_scale = 0.92;
  look.max_ink_width = 7.4;
  look.baseline = 12.5;
  look.fill_top = top;
  look.fill_bottom = bottom;
  return look;
}

void DrawFontSheet(cairo_t* cr, const FontSheetLayout& layout, std::string (*character)(int),
                   const GlyphLook& look) {
  const int last = 32 + layout.cells_per_row * layout.rows - 1;
  for (int code = 33; code <= last; ++code) {
    std::string text = character(code);
    // The rounded face has no U+00A5; like most Japanese fonts it draws its yen sign at 0x5C.
    if (text == "\xC2\xA5") text = "\\";
    DrawGlyphInCell(cr, text, layout.CellOf(code), look);
  }
}

void DrawGlyphInCell(cairo_t* cr, const std::string& utf8, const ArtRect& cell, const GlyphLook& look) {
  if (utf8.empty()) return;
  const InkBox ink = MeasureText(cr, utf8, look.style);
  double sx = look.x_scale;
  const double ink_width = (ink.right - ink.left) * sx;
  if (ink_width > look.max_ink_width) sx *= look.max_ink_width / ink_width;
  const double cell_w = cell.right - cell.left;

  cairo_save(cr);
  cairo_rectangle(cr, cell.left, cell.top, cell_w, cell.bottom - cell.top);
  cairo_clip(cr);
  cairo_translate(cr, cell.left, cell.top);
  cairo_scale(cr, sx, 1.0);
  cairo_pattern_t* fill = VerticalGradient(0, cell.bottom - cell.top, {{0.15, look.fill_top}, {0.85, look.fill_bottom}});
  TextStyle style = look.style;
  style.fill_pattern = fill;
  const double pen_x = (cell_w / 2) / sx - (ink.left + ink.right) / 2;
  DrawText(cr, utf8, pen_x, look.baseline, style);
  cairo_pattern_destroy(fill);
  cairo_restore(cr);
}

namespace {

void BlitCell(cairo_surface_t* target, const IndexedBitmap& sheet, const FontSheetLayout& layout,
              int code, int x, int y, bool keyed) {
  const int last = 32 + layout.cells_per_row * layout.rows - 1;
  if (code < 32 || code > last) return;
  BlitBitmapRect(target, sheet, layout.CellOf(code), x, y, keyed);
}

}  // namespace

void BlitFontText(cairo_surface_t* target, const IndexedBitmap& sheet, const FontSheetLayout& layout,
                  const std::string& bytes, int x, int y, bool keyed) {
  for (size_t i = 0; i < bytes.size(); ++i)
    BlitCell(target, sheet, layout, static_cast<unsigned char>(bytes[i]), x + int(i) * layout.cell_width, y, keyed);
}

void BlitNumberText(cairo_surface_t* target, const IndexedBitmap& digits, const IndexedBitmap& others,
                    const FontSheetLayout& layout, const std::string& bytes, int x, int y) {
  const int w = layout.cell_width;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const int code = static_cast<unsigned char>(bytes[i]);
    if (code == '.') x += int(-0.25 * w);
    const bool digit = code >= '0' && code <= '9';
    BlitCell(target, digit ? digits : others, layout, code, x + int(i) * w, y, true);
    if (code == '.') x -= int(0.45 * w);
  }
}
