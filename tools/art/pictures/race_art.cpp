#include "tools/art/pictures/race_art.h"

#include <algorithm>

namespace race_art {

cairo_font_face_t* DialFace() { return FontFace(kFontSansCondensedBold); }
cairo_font_face_t* FigureFace() { return FontFace(kFontBlack); }
cairo_font_face_t* LabelFace() { return FontFace(kFontExtraBold); }

void LeanAbout(cairo_t* cr, double y0, double slant) {
  cairo_matrix_t lean;
  cairo_matrix_init(&lean, 1, 0, -slant, 1, slant * y0, 0);
  cairo_transform(cr, &lean);
}

void DrawReadoutPlate(cairo_t* cr, const ArtRect& r) {
  const double w = r.right - r.left, h = r.bottom - r.top;
  RoundedRectPath(cr, r.left + 1, r.top + 1, w - 2, h - 2, std::min(8.0, h / 4));
  cairo_pattern_t* glass = VerticalGradient(r.top, r.bottom,
      {{0.0, HexRgb(0x263660)}, {0.45, HexRgb(0x141E3A)}, {1.0, HexRgb(0x0C1226)}});
  cairo_set_source(cr, glass);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(glass);
  cairo_pattern_t* frame = VerticalGradient(r.top, r.bottom,
      {{0.0, HexRgb(0xC8D4F0)}, {0.5, HexRgb(0x5A6E9E)}, {1.0, HexRgb(0x2A3658)}});
  cairo_set_source(cr, frame);
  cairo_set_line_width(cr, 2.0);
  cairo_stroke(cr);
  cairo_pattern_destroy(frame);
}

void WriteBitmap(const ArtContext& context, const std::string& name, const IndexedBitmap& bitmap,
                 const std::vector<ArtRect>& outlines) {
  ArtCheck(WriteBmp8(context.BitmapPath(name), bitmap), "cannot write " + context.BitmapPath(name));
  WritePreviewPng(context.PreviewPath(name), bitmap, outlines);
}

void WriteTexture(const ArtContext& context, const std::string& name, const IndexedBitmap& bitmap,
                  const std::vector<ArtRect>& outlines) {
  ArtCheck(WriteBmp8(context.TexturePath(name), bitmap), "cannot write " + context.TexturePath(name));
  WritePreviewPng(context.PreviewPath(name), bitmap, outlines);
}

}  // namespace race_art
