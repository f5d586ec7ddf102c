// Where a windowed frame goes on the desktop's primary surface. Portable: the Windows side
// turns the rectangles into the blit.
#pragma once

#include <cstdint>

#include "display/glyph_layout.h"

struct PresentRects {
  PixelRect source;       // the part of the picture, in the back buffer
  PixelRect destination;  // where it goes on the primary surface
};

// The picture of width x height shown with its top left at (x, y) of the screen, cut to the
// primary surface's surfaceWidth x surfaceHeight: the part of it that lies on the surface and
// where that part comes from. Both are empty (no width or no height) when none of it does.
PresentRects PartOnSurface(int32_t x, int32_t y, int32_t width, int32_t height,
                           int32_t surfaceWidth, int32_t surfaceHeight);
