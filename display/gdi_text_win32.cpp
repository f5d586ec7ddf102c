// GDI text on the back buffer, for the option screen's help lines.
#include <string>

#include "app/wide_text_win32.h"
#include "display/display_win32.h"
#include "display/drawing_win32.h"

void DrawGdiText(const char* text, int32_t x, int32_t y, const GdiFontDescription* description) {
  IDirectDrawSurface4* back = display_context.back_buffer;
  if (back == nullptr || text == nullptr) return;
  HDC context = nullptr;
  if (FAILED(back->GetDC(&context))) return;

  HFONT font = nullptr;
  HGDIOBJ previous = nullptr;
  if (description != nullptr) {
    // The face is named in Japanese; SHIFTJIS_CHARSET lets a system without it pick a
    // Japanese substitute rather than a Latin face without kana.
    font = CreateFontW(description->height, 0, 0, 0, description->weight,
                       description->italic != 0 ? TRUE : FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                       FIXED_PITCH | FF_MODERN, WidenUtf8(description->face).c_str());
    if (font != nullptr) previous = SelectObject(context, font);
    SetBkColor(context, description->background_color);
    SetTextColor(context, description->text_color);
  }

  const std::wstring wide = WidenUtf8(text);
  TextOutW(context, x, y, wide.c_str(), static_cast<int>(wide.size()));

  if (font != nullptr) {
    SelectObject(context, previous);
    DeleteObject(font);
  }
  back->ReleaseDC(context);
}
