// From a cairo drawing to the game's 8-bit palettes.
#pragma once

#include <cairo.h>

#include "tools/art/common/indexed_bitmap.h"

// For pictures blitted with the black colour key. Pixels with alpha 0 become index 0, pure
// black; every other pixel is composited over black and gets a colour that is never pure black
// and never packs to 0 in 5-6-5 or 5-5-5 (at least one channel >= 8), so it stays visible on a
// 16-bit display. At most 255 visible colours; no dithering, so the result depends only on the
// drawing.
IndexedBitmap QuantizeKeyed(cairo_surface_t* argb32);

// For pictures drawn without a key (the frame-rate font): every pixel composited over black,
// up to 256 colours, black allowed.
IndexedBitmap QuantizeOpaque(cairo_surface_t* argb32);

// The smallest change that keeps a visible colour visible in 16 bits: a colour whose channels
// are all below 8 is scaled up until its brightest channel is 8 (grey 8 for pure black).
Rgb LiftToVisible(Rgb c);
