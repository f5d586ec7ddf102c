// A small software stand-in for the race's fixed-function device, so the meshes can be seen
// from the race camera without Windows: the race's viewport, the depth test, counter-clockwise
// culling, its one point light and material, and point-sampled textures modulated by the light.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx3d/d3d_types.h"
#include "gfx3d/gpd_model.h"
#include "tools/art/common/indexed_bitmap.h"

namespace art_models {

// A texture as the device holds it: the 8-bit picture widened to 16 bits per pixel.
struct PreviewTexture {
  int width = 0, height = 0;
  std::vector<uint32_t> texels;  // 0x00RRGGBB after the 16-bit round trip, top-down rows
};
PreviewTexture MakePreviewTexture(const IndexedBitmap& bitmap);

class PreviewRaster {
 public:
  PreviewRaster(int width, int height);

  // Black picture, depth cleared to the far plane.
  void Clear();
  // Copies the top rows of `picture` (as the race blits its background) without touching depth.
  void BlitOpaque(const IndexedBitmap& picture, int rows);

  void SetView(const D3DMATRIX& view) { view_ = view; }
  void SetProjection(const D3DMATRIX& projection) { projection_ = projection; }

  // Draws the model's triangle list with the given world matrix; texture may be null (the
  // device then shows the lit material alone). Returns the number of triangles that passed
  // culling and clipping.
  int DrawModel(const GpdModel& model, const D3DMATRIX& world, const PreviewTexture* texture);

  int width() const { return width_; }
  int height() const { return height_; }
  uint32_t PixelAt(int x, int y) const { return colour_[size_t(y) * width_ + x]; }

  // A part of the picture, scaled up by a whole factor, as a PNG.
  bool WritePng(const std::string& path, int scale, int left, int top, int columns, int rows) const;

 private:
  struct ScreenVertex {
    float x, y, z, inv_w;   // pixels, depth 0..1, 1/w
    float u_w, v_w, light_w; // attributes divided by w for perspective-correct interpolation
  };
  void FillTriangle(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                    const PreviewTexture* texture);

  int width_, height_;
  std::vector<uint32_t> colour_;
  std::vector<float> depth_;
  D3DMATRIX view_{}, projection_{};
};

}  // namespace art_models
