#include "tools/art/models/preview_raster.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "tools/art/models/race_models.h"

namespace art_models {

namespace {

// The race device's lighting: ambient light 0x969696 on a material of ambient 0.7 and
// diffuse 0.5, one white point light without falloff, no specular.
constexpr float kAmbient = (150.0f / 255.0f) * 0.7f;
constexpr float kDiffuse = 0.5f;

struct Vec4 {
  float x, y, z, w;
};

Vec4 Transform(const Vec4& v, const D3DMATRIX& m) {
  return Vec4{v.x * m._11 + v.y * m._21 + v.z * m._31 + v.w * m._41,
              v.x * m._12 + v.y * m._22 + v.z * m._32 + v.w * m._42,
              v.x * m._13 + v.y * m._23 + v.z * m._33 + v.w * m._43,
              v.x * m._14 + v.y * m._24 + v.z * m._34 + v.w * m._44};
}

// A vertex between lighting and the perspective divide.
struct ClipVertex {
  Vec4 clip;
  float u, v, light;
};

ClipVertex Lerp(const ClipVertex& a, const ClipVertex& b, float t) {
  auto mix = [t](float p, float q) { return p + (q - p) * t; };
  return ClipVertex{{mix(a.clip.x, b.clip.x), mix(a.clip.y, b.clip.y), mix(a.clip.z, b.clip.z),
                     mix(a.clip.w, b.clip.w)},
                    mix(a.u, b.u), mix(a.v, b.v), mix(a.light, b.light)};
}

// Sutherland-Hodgman against one plane, given as the signed distance of a vertex (>= 0 kept).
template <typename Distance>
std::vector<ClipVertex> ClipAgainst(const std::vector<ClipVertex>& polygon, Distance distance) {
  std::vector<ClipVertex> out;
  for (size_t i = 0; i < polygon.size(); ++i) {
    const ClipVertex& a = polygon[i];
    const ClipVertex& b = polygon[(i + 1) % polygon.size()];
    const float da = distance(a), db = distance(b);
    if (da >= 0) out.push_back(a);
    if ((da >= 0) != (db >= 0)) out.push_back(Lerp(a, b, da / (da - db)));
  }
  return out;
}

uint8_t Widen5(uint8_t c) { return uint8_t((c & 0xF8) | (c >> 5)); }

}  // namespace

PreviewTexture MakePreviewTexture(const IndexedBitmap& bitmap) {
  PreviewTexture texture;
  texture.width = bitmap.width;
  texture.height = bitmap.height;
  texture.texels.reserve(bitmap.pixels.size());
  for (int y = 0; y < bitmap.height; ++y) {
    for (int x = 0; x < bitmap.width; ++x) {
      // The game keeps textures at 16 bits per pixel, five bits a channel with the alpha bit.
      const Rgb c = bitmap.ColorAt(x, y);
      texture.texels.push_back(uint32_t(Widen5(c.r)) << 16 | uint32_t(Widen5(c.g)) << 8 |
                               Widen5(c.b));
    }
  }
  return texture;
}

PreviewRaster::PreviewRaster(int width, int height)
    : width_(width), height_(height), colour_(size_t(width) * height), depth_(colour_.size()) {
  Clear();
}

void PreviewRaster::Clear() {
  std::fill(colour_.begin(), colour_.end(), 0u);
  std::fill(depth_.begin(), depth_.end(), 1.0f);
}

void PreviewRaster::BlitOpaque(const IndexedBitmap& picture, int rows) {
  for (int y = 0; y < std::min({rows, height_, picture.height}); ++y) {
    for (int x = 0; x < std::min(width_, picture.width); ++x) {
      const Rgb c = picture.ColorAt(x, y);
      colour_[size_t(y) * width_ + x] = uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b;
    }
  }
}

int PreviewRaster::DrawModel(const GpdModel& model, const D3DMATRIX& world,
                             const PreviewTexture* texture) {
  const D3DVECTOR light_position = {kLightX, kLightY, kLightZ};
  int drawn = 0;
  for (size_t i = 0; i + 2 < model.index_count; i += 3) {
    std::vector<ClipVertex> polygon;
    for (int k = 0; k < 3; ++k) {
      const GpdVertex& v = model.vertices[model.indices[i + k]];
      const Vec4 world_position = Transform(Vec4{v.x, v.y, v.z, 1}, world);
      Vec4 n = Transform(Vec4{v.nx, v.ny, v.nz, 0}, world);
      const float n_length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
      Vec4 l{light_position.x - world_position.x, light_position.y - world_position.y,
             light_position.z - world_position.z, 0};
      const float l_length = std::sqrt(l.x * l.x + l.y * l.y + l.z * l.z);
      const float lambert = (n.x * l.x + n.y * l.y + n.z * l.z) / (n_length * l_length);
      const float light = std::min(1.0f, kAmbient + kDiffuse * std::max(0.0f, lambert));
      const Vec4 clip = Transform(Transform(world_position, view_), projection_);
      polygon.push_back(ClipVertex{clip, v.u, v.v, light});
    }
    // Near and far planes of the device's clip volume: 0 <= z <= w.
    polygon = ClipAgainst(polygon, [](const ClipVertex& c) { return c.clip.z; });
    polygon = ClipAgainst(polygon, [](const ClipVertex& c) { return c.clip.w - c.clip.z; });
    if (polygon.size() < 3) continue;

    // The race's viewport: clip x -1..1 across the width, clip y from height/width at the
    // top down over 2 * height/width, so a clip unit is the same number of pixels both ways.
    const float half_width = width_ * 0.5f;
    const float clip_top = float(height_) / width_;
    std::vector<ScreenVertex> screen;
    for (const ClipVertex& c : polygon) {
      const float inv_w = 1.0f / c.clip.w;
      screen.push_back(ScreenVertex{(c.clip.x * inv_w + 1.0f) * half_width,
                                    (clip_top - c.clip.y * inv_w) * half_width, c.clip.z * inv_w,
                                    inv_w, c.u * inv_w, c.v * inv_w, c.light * inv_w});
    }
    // D3DCULL_CCW: only triangles clockwise on the screen are drawn. With y growing
    // downwards that is a positive signed area.
    const ScreenVertex &a = screen[0], &b = screen[1], &c = screen[2];
    const float area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
    if (!(area > 0)) continue;
    for (size_t k = 1; k + 1 < screen.size(); ++k) FillTriangle(screen[0], screen[k], screen[k + 1], texture);
    ++drawn;
  }
  return drawn;
}

void PreviewRaster::FillTriangle(const ScreenVertex& a, const ScreenVertex& b,
                                 const ScreenVertex& c, const PreviewTexture* texture) {
  const float area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
  if (!(area > 0)) return;
  const int x0 = std::max(0, int(std::floor(std::min({a.x, b.x, c.x}))));
  const int x1 = std::min(width_ - 1, int(std::ceil(std::max({a.x, b.x, c.x}))));
  const int y0 = std::max(0, int(std::floor(std::min({a.y, b.y, c.y}))));
  const int y1 = std::min(height_ - 1, int(std::ceil(std::max({a.y, b.y, c.y}))));
  auto edge = [](const ScreenVertex& p, const ScreenVertex& q, float x, float y) {
    return (q.x - p.x) * (y - p.y) - (x - p.x) * (q.y - p.y);
  };
  for (int y = y0; y <= y1; ++y) {
    const float py = y + 0.5f;
    for (int x = x0; x <= x1; ++x) {
      const float px = x + 0.5f;
      const float wa = edge(b, c, px, py), wb = edge(c, a, px, py), wc = edge(a, b, px, py);
      if (wa < 0 || wb < 0 || wc < 0) continue;
      const float la = wa / area, lb = wb / area, lc = wc / area;
      const float z = la * a.z + lb * b.z + lc * c.z;
      float& depth = depth_[size_t(y) * width_ + x];
      if (z > depth) continue;  // D3DCMP_LESSEQUAL
      depth = z;
      const float inv_w = la * a.inv_w + lb * b.inv_w + lc * c.inv_w;
      const float light = (la * a.light_w + lb * b.light_w + lc * c.light_w) / inv_w;
      uint32_t texel = 0xFFFFFF;
      if (texture && texture->width > 0) {
        const float u = (la * a.u_w + lb * b.u_w + lc * c.u_w) / inv_w;
        const float v = (la * a.v_w + lb * b.v_w + lc * c.v_w) / inv_w;
        // Point sampling with wrapping, the device's defaults.
        int tx = int(std::floor(u * texture->width)) % texture->width;
        int ty = int(std::floor(v * texture->height)) % texture->height;
        if (tx < 0) tx += texture->width;
        if (ty < 0) ty += texture->height;
        texel = texture->texels[size_t(ty) * texture->width + tx];
      }
      auto channel = [&](int shift) {
        return uint32_t(std::min(255.0f, ((texel >> shift) & 0xFF) * light + 0.5f)) << shift;
      };
      colour_[size_t(y) * width_ + x] = channel(16) | channel(8) | channel(0);
    }
  }
}

bool PreviewRaster::WritePng(const std::string& path, int scale, int left, int top, int columns,
                             int rows) const {
  if (scale < 1 || left < 0 || top < 0 || columns < 1 || rows < 1 || left + columns > width_ ||
      top + rows > height_) {
    return false;
  }
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, columns * scale, rows * scale);
  cairo_surface_flush(surface);
  uint8_t* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < rows * scale; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
    for (int x = 0; x < columns * scale; ++x) row[x] = PixelAt(left + x / scale, top + y / scale);
  }
  cairo_surface_mark_dirty(surface);
  const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return ok;
}

}  // namespace art_models
