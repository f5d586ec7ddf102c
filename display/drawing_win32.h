// Drawing into the back buffer and putting each frame on the screen: bitmap-font text, the
// guarded blit, the frame-rate read-out, the presentation and the option screen's GDI text.
#pragma once

#include <windows.h>
#include <ddraw.h>

#include <cstdint>
#include <string>

#include "display/glyph_layout.h"
#include "display/surface_loss.h"

// Draws the text one cell per character from a font surface, starting at position (the top
// left of the first cell), at most maxChars characters; flags are blit flags such as
// DDBLT_KEYSRC (0 for opaque text). Returns the number of characters handled. A character
// whose cell lies outside the font bitmap, or would land outside the back buffer, is left
// empty without a blit.
int32_t DrawBitmapText(IDirectDrawSurface4* font, const char* text, int32_t maxChars,
                       POINT position, int32_t cellWidth, DWORD flags);

// As DrawBitmapText, with the digits 0..9 from digitFont and everything else from otherFont;
// a "." is kerned closer to its neighbours, and position.x ends up moved by that kerning.
int32_t DrawNumberText(IDirectDrawSurface4* digitFont, IDirectDrawSurface4* otherFont,
                       const char* text, int32_t maxChars, POINT& position, int32_t cellWidth,
                       DWORD flags);

// As DrawBitmapText, onto any target surface (a picture built up across frames) instead of
// the back buffer; cells that would land outside the target are left empty.
int32_t DrawBitmapTextTo(IDirectDrawSurface4* target, IDirectDrawSurface4* font,
                         const char* text, int32_t maxChars, POINT position, int32_t cellWidth,
                         DWORD flags);

// The portable layouts' rectangles as Win32 ones.
inline RECT ToRect(const PixelRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

// Once Direct3D has drawn into the back buffer, Wine keeps it as a texture and does every
// later 2D blit as a draw of its own: in software about a tenth of a millisecond a glyph, so
// the record tables' 150 glyphs took 20-24 ms a frame in full screen after a race (98 % of a
// core). Locking it once brings it back to system memory, where Wine copies blits directly
// (10-14 %, as before any race).
void ReturnBackBufferToSystemMemory();

// One blit of a rectangle of source onto the back buffer (flags plus DDBLT_WAIT), by the
// retry rule. true when it was drawn.
bool BlitToBackBuffer(IDirectDrawSurface4* source, const RECT& sourceRect,
                      const RECT& destinationRect, DWORD flags);

// The same onto any target surface.
bool BlitToSurface(IDirectDrawSurface4* target, IDirectDrawSurface4* source,
                   const RECT& sourceRect, const RECT& destinationRect, DWORD flags);

// A colour fill (a PackColor value) of a rectangle of the back buffer, by the retry rule.
bool FillBackBuffer(const RECT& rect, uint32_t color);

// A colour fill of a rectangle of any surface (the whole surface when rect is null), by the
// retry rule.
bool FillSurfaceRect(IDirectDrawSurface4* surface, const RECT* rect, uint32_t color);

// "%03dFPS" at (592, 0) in the opaque small font.
void DrawFrameRate();

// Puts the back buffer on the screen (a copy, never a flip) without waiting.
void ShowBackBuffer();

// Ends every frame: ShowBackBuffer, then the wait for the next sixtieth of a second.
void PresentFrame();

// What a blit does on DDERR_SURFACELOST: restores every surface of the display and notes
// that the running scene's pictures are gone with it.
void RestoreLostSurfaces();

// Called at the start of a frame: what the shell must do about pictures lost (found by a blit
// or by asking the surfaces) since the last reload. A kReload or kRebuild answer counts as
// done once returned.
LostPictureStep TakeLostPictureStep();

// The option screen's help text, drawn with GDI onto the back buffer.
struct GdiFontDescription {
  COLORREF text_color;
  COLORREF background_color;
  int32_t height;       // character height, logical units
  int32_t weight;       // FW_NORMAL, FW_BOLD, ...
  int32_t italic;       // non-zero: italic
  const char* face;     // UTF-8 face name
};

// Text is UTF-8 (the game's Japanese texts); drawn with the wide-character API so it reads
// correctly on a Windows of any language. Without a description the back buffer's current
// font and colours are used.
void DrawGdiText(const char* text, int32_t x, int32_t y, const GdiFontDescription* description);

// The face DrawGdiText draws a line in: the described face wherever it exists, else one with
// a glyph for every character of the line (a system without the face may substitute one that
// lacks the Latin letters or the kana); chosen once per face and line.
std::wstring GdiFaceFor(const GdiFontDescription& description, const char* text);
