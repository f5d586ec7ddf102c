// The look shared by the menus, the fonts and the instruments: one set of colours and one way
// of lettering, so every screen reads as the same game.
#pragma once

#include "tools/art/common/drawing.h"

// Lettering colours (top and bottom of the face's gradient) and outlines.
inline Rgb CreamTop() { return HexRgb(0xFFFCEE); }
inline Rgb CreamBottom() { return HexRgb(0xF2D79E); }
inline Rgb CreamOutline() { return HexRgb(0x4A2A1A); }
inline Rgb OrangeTop() { return HexRgb(0xFFE27A); }
inline Rgb OrangeBottom() { return HexRgb(0xF46A12); }
inline Rgb OrangeOutline() { return HexRgb(0x4A1804); }
inline Rgb RacingRed() { return HexRgb(0xE8202A); }
inline Rgb SteelBlue() { return HexRgb(0x3A5A9A); }
inline Rgb NightNavy() { return HexRgb(0x101830); }
inline Rgb Gold() { return HexRgb(0xFFC93C); }

// The rounded "pop" lettering of the fonts at any size: Maruberi thickened, dark outline.
// The caller sets fill or fill_pattern.
TextStyle PopLettering(double pixel_size, Rgb outline);

// Pop lettering with a vertical gradient between two colours over [top, bottom] (user space).
// Returns the pattern, which the caller destroys after drawing.
cairo_pattern_t* PopGradient(double top, double bottom, Rgb top_color, Rgb bottom_color);

// Draws text with its ink centred on cx and its pen on the baseline, squeezed horizontally if
// its ink would be wider than max_width.
void DrawTextFitted(cairo_t* cr, const std::string& utf8, double cx, double baseline, double max_width,
                    const TextStyle& style);

// A screen's heading: slanted pop lettering in a warm gradient over a gold pin line, centred
// in the band and squeezed to fit it.
void DrawScreenHeading(cairo_t* cr, const std::string& utf8, const ArtRect& band);

// A chunky arrowhead pointing left (direction -1) or right (+1), its tip at (tip_x, cy).
void DrawPointer(cairo_t* cr, double tip_x, double cy, double length, double half_height, int direction);
