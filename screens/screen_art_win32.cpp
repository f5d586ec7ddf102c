#include "screens/screen_art_win32.h"

#include "app/scene_state.h"
#include "app/win_globals.h"
#include "display/bitmap_surface_win32.h"
#include "display/display_win32.h"
#include "display/glyph_layout.h"

void LoadKeyedPicture(IDirectDrawSurface4*& handle, const char* name, const char* loadFailed,
                      const char* keyFailed) {
  handle = LoadBitmapSurface(display_context.direct_draw, name);
  if (handle == nullptr) {
    ShowMessageBox(loadFailed, "error");
    scene_state = SCENE_EXIT;
    return;
  }
  if (SetBlackColorKey(handle) != DD_OK) {
    ShowMessageBox(keyFailed, "error");
    scene_state = SCENE_EXIT;
  }
}

void LoadLargeFonts() {
  LoadKeyedPicture(lpDDSFontDFPOP32ORANGE, "FONT_DFPOP_32_ORANGE", "FONT_DFPOP_32読み込み失敗",
                   "カラー・キーの設定失敗（lpDDSFontDFPOP32ORANGE）");
  LoadKeyedPicture(lpDDSFontDFPOP32CREAM, "FONT_DFPOP_32_CREAM", "FONT_DFPOP_32読み込み失敗",
                   "カラー・キーの設定失敗（FONT_DFPOP_32）");
}

RECT ToWinRect(const PixelRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
