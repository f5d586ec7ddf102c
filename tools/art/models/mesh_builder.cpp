#include "tools/art/models/mesh_builder.h"

#include <cmath>
#include <utility>

#include "tools/art/common/registry.h"

namespace art_models {

Vec3 operator+(Vec3 a, Vec3 b) { return V3(a.x + b.x, a.y + b.y, a.z + b.z); }
Vec3 operator-(Vec3 a, Vec3 b) { return V3(a.x - b.x, a.y - b.y, a.z - b.z); }
Vec3 operator*(Vec3 a, float s) { return V3(a.x * s, a.y * s, a.z * s); }
float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec3 Cross(Vec3 a, Vec3 b) {
  return V3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

Vec3 Normalized(Vec3 v) {
  const double length = std::sqrt(double(v.x) * v.x + double(v.y) * v.y + double(v.z) * v.z);
  if (length == 0) return v;
  return V3(float(v.x / length), float(v.y / length), float(v.z / length));
}

UvCell TexelCell(int left, int top, int right, int bottom, float inset) {
  constexpr float kTexels = 256.0f;
  return UvCell{(left + inset) / kTexels, (top + inset) / kTexels, (right - inset) / kTexels,
                (bottom - inset) / kTexels};
}

Vec3 LeanNormal(Vec3 normal, Vec3 towards, float min_cosine) {
  const Vec3 n = Normalized(normal), t = Normalized(towards);
  const float cosine = Dot(n, t);
  if (cosine >= min_cosine) return t;
  // The nearest direction to `towards` on the edge of the allowed cone around `normal`.
  const Vec3 across = t - n * cosine;
  const float across_length = std::sqrt(Dot(across, across));
  if (across_length < 1e-6f) return n;
  return Normalized(n * min_cosine + across * (std::sqrt(1 - min_cosine * min_cosine) / across_length));
}

namespace {

// Newell's normal of a polygon: robust even when three of its corners are nearly in line.
Vec3 PolygonNormal(const Vec3* p, int count) {
  Vec3 n;
  for (int i = 0; i < count; ++i) {
    const Vec3 a = p[i], b = p[(i + 1) % count];
    n.x += (a.y - b.y) * (a.z + b.z);
    n.y += (a.z - b.z) * (a.x + b.x);
    n.z += (a.x - b.x) * (a.y + b.y);
  }
  // Same direction as cross(p1 - p0, p2 - p0) for a triangle.
  return Normalized(n);
}

}  // namespace

uint16_t AddVertex(Mesh& mesh, Vec3 position, Vec3 normal, Uv uv, uint32_t colour) {
  GpdFileVertex vertex{};
  vertex.x = position.x;
  vertex.y = position.y;
  vertex.z = position.z;
  const Vec3 n = Normalized(normal);
  vertex.nx = n.x;
  vertex.ny = n.y;
  vertex.nz = n.z;
  vertex.u = uv.u;
  vertex.v = uv.v;
  vertex.reserved = 0;
  vertex.colour = colour;
  mesh.vertices.push_back(vertex);
  ArtCheck(mesh.vertices.size() <= kMaxModelVertices, mesh.name + ": too many vertices");
  return static_cast<uint16_t>(mesh.vertices.size() - 1);
}

void AddFace(Mesh& mesh, uint16_t a, uint16_t b, uint16_t c, Vec3 viewer_side) {
  auto at = [&](uint16_t i) {
    const GpdFileVertex& v = mesh.vertices[i];
    return V3(v.x, v.y, v.z);
  };
  const Vec3 winding = Cross(at(b) - at(a), at(c) - at(a));
  if (Dot(winding, viewer_side) < 0) std::swap(b, c);
  mesh.faces.push_back(GpdFileFace{a, b, c, 0});
  ArtCheck(mesh.faces.size() <= kMaxModelTriangles, mesh.name + ": too many triangles");
}

void AddQuad(Mesh& mesh, const Vec3 (&p)[4], const Uv (&uv)[4], Vec3 viewer_side,
             const FaceStyle& style) {
  Vec3 geometric = PolygonNormal(p, 4);
  if (Dot(geometric, viewer_side) < 0) geometric = geometric * -1.0f;
  uint16_t index[4];
  for (int k = 0; k < 4; ++k) index[k] = AddVertex(mesh, p[k], geometric, uv[k], style.colour);
  AddFace(mesh, index[0], index[1], index[2], viewer_side);
  AddFace(mesh, index[0], index[2], index[3], viewer_side);
}

void AddTriangle(Mesh& mesh, const Vec3 (&p)[3], const Uv (&uv)[3], Vec3 viewer_side,
                 const FaceStyle& style) {
  Vec3 geometric = PolygonNormal(p, 3);
  if (Dot(geometric, viewer_side) < 0) geometric = geometric * -1.0f;
  uint16_t index[3];
  for (int k = 0; k < 3; ++k) index[k] = AddVertex(mesh, p[k], geometric, uv[k], style.colour);
  AddFace(mesh, index[0], index[1], index[2], viewer_side);
}

void AddAxisRect(Mesh& mesh, Vec3 facing, float plane, Vec3 lo, Vec3 hi, const UvCell& cell,
                 const FaceStyle& style) {
  // The face as a viewer in front of it sees it: looking along -facing, with the world's y
  // up (or z, for faces looking up or down), right = up x view as the device's camera has it.
  const Vec3 view = facing * -1.0f;
  const Vec3 up = std::fabs(facing.y) > 0.5f ? V3(0, 0, 1) : V3(0, 1, 0);
  const Vec3 right = Cross(up, view);

  const bool along_x = std::fabs(facing.x) > 0.5f;
  const bool along_y = std::fabs(facing.y) > 0.5f;
  auto corner = [&](float s, float t) {
    // s and t pick lo (0) or hi (1) on the two axes the face spans.
    if (along_x) return V3(plane, s ? hi.y : lo.y, t ? hi.z : lo.z);
    if (along_y) return V3(s ? hi.x : lo.x, plane, t ? hi.z : lo.z);
    return V3(s ? hi.x : lo.x, t ? hi.y : lo.y, plane);
  };
  const Vec3 p[4] = {corner(0, 0), corner(1, 0), corner(1, 1), corner(0, 1)};

  float min_r = Dot(p[0], right), max_r = min_r, min_u = Dot(p[0], up), max_u = min_u;
  for (const Vec3& q : p) {
    min_r = std::fmin(min_r, Dot(q, right));
    max_r = std::fmax(max_r, Dot(q, right));
    min_u = std::fmin(min_u, Dot(q, up));
    max_u = std::fmax(max_u, Dot(q, up));
  }
  Uv uv[4];
  for (int k = 0; k < 4; ++k) {
    uv[k] = cell.At((Dot(p[k], right) - min_r) / (max_r - min_r),
                    (max_u - Dot(p[k], up)) / (max_u - min_u));
  }
  AddQuad(mesh, p, uv, facing, style);
}

void SnapToGrid(Mesh& mesh) {
  // 2^-20 m and 2^-20 of the texture: far below a texel and a millimetre, and every snapped
  // value below 16 is exact in a float.
  auto snap = [](float value, double grid) {
    return float(std::nearbyint(double(value) * grid) / grid);
  };
  constexpr double kGrid = 1048576.0;
  constexpr double kNormalGrid = 65536.0;
  for (GpdFileVertex& v : mesh.vertices) {
    v.x = snap(v.x, kGrid);
    v.y = snap(v.y, kGrid);
    v.z = snap(v.z, kGrid);
    v.u = snap(v.u, kGrid);
    v.v = snap(v.v, kGrid);
    const Vec3 n = Normalized(V3(snap(v.nx, kNormalGrid), snap(v.ny, kNormalGrid),
                                 snap(v.nz, kNormalGrid)));
    v.nx = n.x;
    v.ny = n.y;
    v.nz = n.z;
  }
}

std::vector<uint8_t> EncodeMesh(const Mesh& mesh) {
  ArtCheck(!mesh.faces.empty(), mesh.name + ": no triangles");
  ArtCheck(mesh.vertices.size() <= kMaxModelVertices && mesh.faces.size() <= kMaxModelTriangles,
           mesh.name + ": over the model limits");
  std::vector<uint8_t> bytes;
  ArtCheck(WriteGpdBytes(mesh.vertices, mesh.faces, bytes), mesh.name + ": not writable as GPD");
  return bytes;
}

}  // namespace art_models
