// Bitmap-font text: one blit per character straight from the font surface.
#include <cstring>

#include "app/frame_timer.h"
#include "display/bitmap_surface_win32.h"
#include "display/display_win32.h"
#include "display/drawing_win32.h"
#include "display/frame_rate_text.h"
#include "display/glyph_layout.h"

namespace {
struct SurfaceSize {
  int32_t width = 0;
  int32_t height = 0;
};

SurfaceSize SizeOf(IDirectDrawSurface4* surface) {
  SurfaceSize size;
  if (surface == nullptr) return size;
  DDSURFACEDESC2 desc = {};
  desc.dwSize = sizeof desc;
  if (SUCCEEDED(surface->GetSurfaceDesc(&desc))) {
    size.width = static_cast<int32_t>(desc.dwWidth);
    size.height = static_cast<int32_t>(desc.dwHeight);
  }
  return size;
}


// Cells outside the font (codes the font has no row for, control codes) and cells past the
// edge of the picture would only fail ten times each: they are left empty at once.
void DrawGlyphTo(IDirectDrawSurface4* target, const SurfaceSize& targetSize,
                 IDirectDrawSurface4* font, const SurfaceSize& fontSize, const PixelRect& source,
                 const PixelRect& destination, DWORD flags) {
  if (font == nullptr || !source.InsideOf(fontSize.width, fontSize.height)) return;
  if (!destination.InsideOf(targetSize.width, targetSize.height)) return;
  BlitToSurface(target, font, ToRect(source), ToRect(destination), flags);
}

void DrawGlyph(IDirectDrawSurface4* font, const SurfaceSize& fontSize, const PixelRect& source,
               const PixelRect& destination, DWORD flags) {
  DrawGlyphTo(display_context.back_buffer, {display_context.width, display_context.height}, font,
              fontSize, source, destination, flags);
}
}  // namespace

int32_t DrawBitmapText(IDirectDrawSurface4* font, const char* text, int32_t maxChars,
                       POINT position, int32_t cellWidth, DWORD flags) {
  const SurfaceSize fontSize = SizeOf(font);
  return WalkBitmapText(text, maxChars, position.x, position.y, cellWidth,
                        [&](uint8_t, const PixelRect& source, const PixelRect& destination) {
                          DrawGlyph(font, fontSize, source, destination, flags);
                        });
}

int32_t DrawBitmapTextTo(IDirectDrawSurface4* target, IDirectDrawSurface4* font,
                         const char* text, int32_t maxChars, POINT position, int32_t cellWidth,
                         DWORD flags) {
  const SurfaceSize targetSize = SizeOf(target);
  const SurfaceSize fontSize = SizeOf(font);
  return WalkBitmapText(text, maxChars, position.x, position.y, cellWidth,
                        [&](uint8_t, const PixelRect& source, const PixelRect& destination) {
                          DrawGlyphTo(target, targetSize, font, fontSize, source, destination,
                                      flags);
                        });
}

int32_t DrawNumberText(IDirectDrawSurface4* digitFont, IDirectDrawSurface4* otherFont,
                       const char* text, int32_t maxChars, POINT& position, int32_t cellWidth,
                       DWORD flags) {
  const SurfaceSize digitSize = SizeOf(digitFont);
  const SurfaceSize otherSize = SizeOf(otherFont);
  int32_t x = position.x;
  const int32_t drawn = WalkNumberText(
      text, maxChars, x, position.y, cellWidth,
      [&](uint8_t code, const PixelRect& source, const PixelRect& destination) {
        if (IsDigitCode(code)) {
          DrawGlyph(digitFont, digitSize, source, destination, flags);
        } else {
          DrawGlyph(otherFont, otherSize, source, destination, flags);
        }
      });
  position.x = x;
  return drawn;
}

void DrawFrameRate() {
  char text[kFrameRateTextSize];
  const int length = FormatFrameRate(frame_rate, text);
  DrawBitmapText(lpDDSFontDFPOP16OTHER1, text, length, POINT{kFrameRateX, kFrameRateY},
                 kFrameRateCellWidth, 0);
}
