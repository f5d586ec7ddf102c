#include "screens/screen_art_win32.h"

#include "display/bitmap_surface_win32.h"

void LoadLargeFonts() {
  LoadKeyedPicture(lpDDSFontDFPOP32ORANGE, "FONT_DFPOP_32_ORANGE", "FONT_DFPOP_32読み込み失敗",
                   "カラー・キーの設定失敗（lpDDSFontDFPOP32ORANGE）");
  LoadKeyedPicture(lpDDSFontDFPOP32CREAM, "FONT_DFPOP_32_CREAM", "FONT_DFPOP_32読み込み失敗",
                   "カラー・キーの設定失敗（FONT_DFPOP_32）");
}
