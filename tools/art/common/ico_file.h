// Windows icon files: several sizes of one picture in one .ico.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

// One image of the icon, a square ARGB32 surface (premultiplied, as cairo keeps it). Sizes up
// to 48 px are stored as 32-bit DIBs with an AND mask, which every Windows reads; 256 px is
// stored as PNG, which Windows Vista and later expect for that size.
std::vector<uint8_t> EncodeIco(const std::vector<cairo_surface_t*>& images);
