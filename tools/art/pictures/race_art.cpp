#include "tools/art/pictures/race_art.h"

namespace race_art {

cairo_font_face_t* DialFace() { return FontFace(kFontSansCondensedBold); }
cairo_font_face_t* FigureFace() { return FontFace(kFontBlack); }
cairo_font_face_t* LabelFace() { return FontFace(kFontExtraBold); }

void LeanAbout(cairo_t* cr, double y0, double slant) {
  cairo_matrix_t lean;
  cairo_matrix_init(&lean, 1, 0, -slant, 1, slant * y0, 0);
  cairo_transform(cr, &lean);
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
