// Building blocks for the race meshes: a mesh in the GPD file's own records, quads and
// triangles added with their winding checked against the side they are seen from, and the
// texture cells the meshes address.
//
// Winding: the device culls counter-clockwise triangles (D3DCULL_CCW), so a face must be
// clockwise as seen from its visible side. In this left-handed world (x right, y up, z forward)
// that is exactly when cross(b - a, c - a) points towards the viewer, so every face is given
// with the direction it is seen from and the builder orders its corners to match.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx3d/gpd_format.h"

namespace art_models {

// The device draws at most this much per model in one call, and the game's meshes stay below.
constexpr size_t kMaxModelVertices = 288;
constexpr size_t kMaxModelTriangles = 96;

// The format carries a colour the game never draws with; the meshes use one of two greys.
constexpr uint32_t kColourStructure = 0x808080;
constexpr uint32_t kColourFace = 0xC8C8C8;

struct Vec3 {
  float x = 0, y = 0, z = 0;
};

inline Vec3 V3(float x, float y, float z) { return Vec3{x, y, z}; }
Vec3 operator+(Vec3 a, Vec3 b);
Vec3 operator-(Vec3 a, Vec3 b);
Vec3 operator*(Vec3 a, float s);
float Dot(Vec3 a, Vec3 b);
Vec3 Cross(Vec3 a, Vec3 b);
Vec3 Normalized(Vec3 v);

struct Uv {
  float u = 0, v = 0;
};

// A rectangle of a 256 x 256 texture in texture coordinates (u right, v down).
struct UvCell {
  float u0, v0, u1, v1;

  // The point at fractions (fu, fv) across the cell, 0..1 each.
  Uv At(float fu, float fv) const { return Uv{u0 + (u1 - u0) * fu, v0 + (v1 - v0) * fv}; }
};

// A cell given in texels, shrunk by `inset` texels on every side so that neither point
// sampling nor bilinear filtering can pick up the neighbouring swatch.
UvCell TexelCell(int left, int top, int right, int bottom, float inset = 1.0f);

struct Mesh {
  std::string name;
  std::vector<GpdFileVertex> vertices;
  std::vector<GpdFileFace> faces;
};

// How a flat face is drawn: its normal is the geometric one; the colour is the format's.
struct FaceStyle {
  uint32_t colour = kColourStructure;
};

// The direction nearest to `towards` that keeps at least `min_cosine` (> 0) against `normal`:
// a shading normal turned towards the light as far as it can go while it still points out of
// the visible side of its surface.
Vec3 LeanNormal(Vec3 normal, Vec3 towards, float min_cosine);

// Adds the quad p0 p1 p2 p3 (a planar convex outline, in either order) seen from `viewer_side`
// (any vector pointing from the face towards where it is seen from). uv[k] belongs to p[k].
// The quad gets four vertices of its own and two triangles, wound clockwise from the viewer.
void AddQuad(Mesh& mesh, const Vec3 (&p)[4], const Uv (&uv)[4], Vec3 viewer_side,
             const FaceStyle& style);

// A triangle with flat normal, wound clockwise as seen from `viewer_side`.
void AddTriangle(Mesh& mesh, const Vec3 (&p)[3], const Uv (&uv)[3], Vec3 viewer_side,
                 const FaceStyle& style);

// Adds one vertex with an explicit normal and returns its index.
uint16_t AddVertex(Mesh& mesh, Vec3 position, Vec3 normal, Uv uv, uint32_t colour);

// Adds a face of three existing vertices, reordered if needed so that it is clockwise from
// `viewer_side`.
void AddFace(Mesh& mesh, uint16_t a, uint16_t b, uint16_t c, Vec3 viewer_side);

// An axis-aligned rectangle facing one axis direction, mapped onto the whole of `cell`.
// `facing` is one of the six unit axis vectors; the rectangle spans [lo, hi] on the other two
// axes and sits at `plane` on the facing axis. The cell's u runs along the first of the two
// remaining axes as seen from the front (left to right), v from the top down.
void AddAxisRect(Mesh& mesh, Vec3 facing, float plane, Vec3 lo, Vec3 hi, const UvCell& cell,
                 const FaceStyle& style);

// Rounds every coordinate to a fixed binary grid and renormalises the normals, so the bytes
// written do not depend on the last bit of the maths library's sin and cos.
void SnapToGrid(Mesh& mesh);

// The file bytes of the mesh; throws ArtError when it exceeds the model limits.
std::vector<uint8_t> EncodeMesh(const Mesh& mesh);

}  // namespace art_models
