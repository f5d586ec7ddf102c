// Where the race meshes point into the three 256 x 256 textures, in texels (u right, v down).
// The textures are drawn to the same layout (tools/art/pictures); the mesh test holds the
// meshes to the cells as the game's texture coordinates give them.
#pragma once

#include "tools/art/models/mesh_builder.h"

namespace art_models {

// Road textures "TEX_WAY" and "TEX_WAY2": the asphalt band runs the whole width along the top;
// the swatches sit in the lower band. The band is sampled half a texel in from its edges so
// the start line along its bottom row is reached but never the black below it.
inline UvCell RoadBandCell() { return TexelCell(0, 0, 256, 96, 0.5f); }
inline UvCell KerbCell() { return TexelCell(0, 192, 16, 256); }
inline UvCell GrassCell() { return TexelCell(32, 224, 48, 256); }
inline UvCell WallCell() { return TexelCell(64, 224, 80, 256); }
inline UvCell NamePlateCell() { return TexelCell(96, 224, 192, 256); }
inline UvCell DarkSquareCell() { return TexelCell(208, 224, 224, 240); }

// Signal texture "TEX_SIG": 32 x 32 cells, 48 texels apart; unlit lamps and the grey housing
// colour in the top row, lit lamps in the second.
enum class LampColour { kAmber = 0, kGreen = 1, kRed = 2 };
inline UvCell LampCell(LampColour colour, bool lit) {
  const int left = 48 * static_cast<int>(colour);
  const int top = lit ? 48 : 0;
  return TexelCell(left, top, left + 32, top + 32);
}
inline UvCell HousingCell() { return TexelCell(144, 0, 176, 32); }

}  // namespace art_models
