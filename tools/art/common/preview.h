// PNG previews for people looking at the art; the game never reads them.
#pragma once

#include <cairo.h>

#include <string>
#include <vector>

#include "tools/art/common/indexed_bitmap.h"

// The bitmap 1:1 with each rectangle outlined by a thin translucent line just inside it, so the
// bands and cells the game blits can be checked by eye against the drawing.
void WritePreviewPng(const std::string& path, const IndexedBitmap& bitmap,
                     const std::vector<ArtRect>& outlines);

// Every cell of a font sheet, for WritePreviewPng.
std::vector<ArtRect> FontCellOutlines(int sheet_width, int sheet_height, int cell_width);

struct ContactItem {
  std::string label;
  IndexedBitmap bitmap;
};

// All pictures on one sheet, each under its name, packed in rows no wider than max_width.
void WriteContactSheetPng(const std::string& path, const std::vector<ContactItem>& items, int max_width);

// Copies a rectangle of the bitmap onto an RGB24 or ARGB32 surface with its top-left corner at
// (x, y), clipped to the surface; with keyed, pure black pixels are left out, as a blit with the
// black source key leaves them.
void BlitBitmapRect(cairo_surface_t* target, const IndexedBitmap& bitmap, const ArtRect& source, int x, int y,
                    bool keyed);
