// The start signal: five housings in a row, a lamp lens on each, hung from a bar.
#include <cmath>

#include "tools/art/models/race_models.h"
#include "tools/art/models/texture_cells.h"

namespace art_models {

namespace {

// The housing is the 0.16 m cube the signal's layout is built around; its lens a round cap
// 0.12 m across. metres
constexpr float kBoxHalfX = 0.08f, kBoxHalfY = 0.08f, kBoxHalfZ = 0.08f;
constexpr float kBevel = 0.012f;        // the housing's front edges are chamfered this deep
constexpr float kLensHalfX = 0.06f, kLensHalfY = 0.06f;
constexpr float kLensRimZ = -0.08f;     // on the housing's front
constexpr float kLensCrownZ = -0.1f;    // the lens bulges out to here
constexpr float kLensInnerRing = 0.58f; // of the way out to the rim
constexpr int kLensSegments = 20;

// A lit lens's shading normals stay at least this close to its surface's own.
constexpr float kLitLeanMinCosine = 0.05f;

FaceStyle Housing() {
  FaceStyle style;
  style.colour = kColourStructure;
  return style;
}

// The light's direction as seen from the hanging signal, in the lamp's own (untilted) axes.
Vec3 LightInLampAxes() {
  const Vec3 world = Normalized(V3(kLightX, kLightY - kSignalY, kLightZ - kSignalZ));
  // The race turns a lamp into the world with a rotation of kSignalTilt about x; turning the
  // light back by the opposite angle gives it in the lamp's axes.
  const float a = -kSignalTilt;
  const float c = std::cos(a), s = std::sin(a);
  return V3(world.x, world.y * c - world.z * s, world.y * s + world.z * c);
}

// Turns every vertex normal as far towards `light` as it can go while it stays on the visible
// side of each triangle that uses the vertex.
void LeanNormalsTowards(Mesh& mesh, Vec3 light, float min_cosine) {
  std::vector<std::vector<Vec3>> faces_at(mesh.vertices.size());
  for (const GpdFileFace& f : mesh.faces) {
    auto at = [&](uint16_t i) { return V3(mesh.vertices[i].x, mesh.vertices[i].y, mesh.vertices[i].z); };
    const Vec3 n = Normalized(Cross(at(f.b) - at(f.a), at(f.c) - at(f.a)));
    for (uint16_t i : {f.a, f.b, f.c}) faces_at[i].push_back(n);
  }
  for (size_t i = 0; i < mesh.vertices.size(); ++i) {
    // Alternating projections: pull the direction back inside whichever triangle it has left
    // furthest, until it sits inside them all (a little margin covers the later rounding).
    Vec3 n = Normalized(light);
    for (int round = 0; round < 64; ++round) {
      const Vec3* worst = nullptr;
      for (const Vec3& face : faces_at[i]) {
        if (!worst || Dot(n, face) < Dot(n, *worst)) worst = &face;
      }
      if (!worst || Dot(n, *worst) >= min_cosine) break;
      n = LeanNormal(*worst, n, min_cosine * 1.5f);
    }
    GpdFileVertex& v = mesh.vertices[i];
    v.nx = n.x;
    v.ny = n.y;
    v.nz = n.z;
  }
}

}  // namespace

Mesh BuildSignalBox() {
  Mesh mesh;
  mesh.name = "sig_box";
  const UvCell cell = HousingCell();
  const float hx = kBoxHalfX, hy = kBoxHalfY, hz = kBoxHalfZ;
  const float ix = hx - kBevel, iy = hy - kBevel, bevel_z = -hz + kBevel;

  AddAxisRect(mesh, V3(0, 0, -1), -hz, V3(-ix, -iy, 0), V3(ix, iy, 0), cell, Housing());
  // The chamfer: four trapezoids from the front rectangle out to the sides.
  const Vec3 front[4] = {V3(-ix, -iy, -hz), V3(-ix, iy, -hz), V3(ix, iy, -hz), V3(ix, -iy, -hz)};
  const Vec3 back[4] = {V3(-hx, -hy, bevel_z), V3(-hx, hy, bevel_z), V3(hx, hy, bevel_z),
                        V3(hx, -hy, bevel_z)};
  for (int k = 0; k < 4; ++k) {
    const int next = (k + 1) % 4;
    const Vec3 p[4] = {front[k], back[k], back[next], front[next]};
    const Vec3 edge_mid = (front[k] + front[next]) * 0.5f;
    const Vec3 sideways = std::fabs(edge_mid.x) > std::fabs(edge_mid.y) * hx / hy
                              ? V3(edge_mid.x > 0 ? 1.0f : -1.0f, 0, 0)
                              : V3(0, edge_mid.y > 0 ? 1.0f : -1.0f, 0);
    const Uv uv[4] = {cell.At(0, 1), cell.At(0, 0), cell.At(1, 0), cell.At(1, 1)};
    AddQuad(mesh, p, uv, sideways + V3(0, 0, -1), Housing());
  }
  // Sides, top, bottom and back close the box behind the chamfer.
  AddAxisRect(mesh, V3(1, 0, 0), hx, V3(0, -hy, bevel_z), V3(0, hy, hz), cell, Housing());
  AddAxisRect(mesh, V3(-1, 0, 0), -hx, V3(0, -hy, bevel_z), V3(0, hy, hz), cell, Housing());
  AddAxisRect(mesh, V3(0, 1, 0), hy, V3(-hx, 0, bevel_z), V3(hx, 0, hz), cell, Housing());
  AddAxisRect(mesh, V3(0, -1, 0), -hy, V3(-hx, 0, bevel_z), V3(hx, 0, hz), cell, Housing());
  AddAxisRect(mesh, V3(0, 0, 1), hz, V3(-hx, -hy, 0), V3(hx, hy, 0), cell, Housing());
  return mesh;
}

Mesh BuildSignalLamp(int lamp_model) {
  // sig0 amber, sig2 green, sig4 red unlit; the odd numbers are the same lamps lit.
  const auto colour = static_cast<LampColour>(lamp_model / 2);
  const bool lit = lamp_model % 2 == 1;
  Mesh mesh;
  mesh.name = "sig" + std::to_string(lamp_model);
  const UvCell cell = LampCell(colour, lit);

  // The race's one light stands high above, and the lamps face down towards the driver, so a
  // lens with true normals sits in shadow. That suits an unlit lamp; a lit one is meant to
  // glow, so its normals lean towards the light (still out of the lens's own side) and the
  // device keeps it bright.
  const Vec3 light = LightInLampAxes();

  // The lens is a cap of the ellipsoid (x/a)^2 + (y/b)^2 + (z/c)^2 = 1 about the housing's
  // centre that meets the housing's front along the rim.
  const float rim = kLensRimZ / kLensCrownZ;  // of c, where the cap is cut off
  const float c = -kLensCrownZ;
  const float a = kLensHalfX / std::sqrt(1 - rim * rim);
  const float b = kLensHalfY / std::sqrt(1 - rim * rim);
  auto vertex = [&](float out, float angle) {
    // `out` runs from the crown (0) to the rim (1).
    const float x = kLensHalfX * out * std::cos(angle), y = kLensHalfY * out * std::sin(angle);
    const float z = -c * std::sqrt(1 - (x / a) * (x / a) - (y / b) * (y / b));
    const Vec3 p = V3(x, y, z);
    // The texture cell is laid flat over the lens, the cell's top at the lens's top.
    const Uv uv = cell.At((x + kLensHalfX) / (2 * kLensHalfX), (kLensHalfY - y) / (2 * kLensHalfY));
    const Vec3 surface = Normalized(V3(x / (a * a), y / (b * b), z / (c * c)));
    return AddVertex(mesh, p, surface, uv, kColourFace);
  };

  constexpr float kTurn = 6.283185307179586f;
  const uint16_t centre = vertex(0, 0);
  uint16_t inner[kLensSegments], outer[kLensSegments];
  for (int k = 0; k < kLensSegments; ++k) {
    const float angle = kTurn * k / kLensSegments;
    inner[k] = vertex(kLensInnerRing, angle);
    outer[k] = vertex(1, angle);
  }
  // Every triangle is seen from in front of the lens, out along the surface normal.
  auto outward = [&](uint16_t i, uint16_t j, uint16_t k) {
    const GpdFileVertex &p = mesh.vertices[i], &q = mesh.vertices[j], &r = mesh.vertices[k];
    return V3((p.x + q.x + r.x) / (a * a), (p.y + q.y + r.y) / (b * b), (p.z + q.z + r.z) / (c * c));
  };
  for (int k = 0; k < kLensSegments; ++k) {
    const int next = (k + 1) % kLensSegments;
    AddFace(mesh, centre, inner[k], inner[next], outward(centre, inner[k], inner[next]));
    AddFace(mesh, inner[k], outer[k], outer[next], outward(inner[k], outer[k], outer[next]));
    AddFace(mesh, inner[k], outer[next], inner[next], outward(inner[k], outer[next], inner[next]));
  }
  if (lit) LeanNormalsTowards(mesh, light, kLitLeanMinCosine);
  return mesh;
}

Mesh BuildSignalStand() {
  Mesh mesh;
  mesh.name = "sigpool";
  const UvCell cell = HousingCell();
  constexpr float kHalfWidth = 0.52f;     // metres
  constexpr float kBarHalf = 0.03f;       // the bar runs behind the housings' centres
  constexpr float kDepthFront = -0.03f, kDepthBack = 0.0f;
  constexpr float kHangerWidth = 0.06f;
  constexpr float kHangerTop = 1.07f;     // up out of the picture, towards the gantry above

  const FaceStyle style = Housing();
  const Vec3 lo = V3(-kHalfWidth, -kBarHalf, kDepthFront), hi = V3(kHalfWidth, kBarHalf, kDepthBack);
  AddAxisRect(mesh, V3(0, 0, -1), kDepthFront, lo, hi, cell, style);
  AddAxisRect(mesh, V3(0, -1, 0), -kBarHalf, lo, hi, cell, style);
  AddAxisRect(mesh, V3(0, 1, 0), kBarHalf, lo, hi, cell, style);
  for (float side : {-1.0f, 1.0f}) {
    const float outer = side * kHalfWidth, inner = side * (kHalfWidth - kHangerWidth);
    const Vec3 hlo = V3(std::fmin(inner, outer), kBarHalf, kDepthFront);
    const Vec3 hhi = V3(std::fmax(inner, outer), kHangerTop, kDepthBack);
    AddAxisRect(mesh, V3(0, 0, -1), kDepthFront, hlo, hhi, cell, style);
    AddAxisRect(mesh, V3(-side, 0, 0), inner, hlo, hhi, cell, style);
    AddAxisRect(mesh, V3(side, 0, 0), outer, V3(0, -kBarHalf, kDepthFront), hhi, cell, style);
  }
  return mesh;
}

std::vector<Mesh> BuildRaceModels() {
  std::vector<Mesh> models;
  models.push_back(BuildCourse());
  models.push_back(BuildGantry());
  models.push_back(BuildBoard());
  models.push_back(BuildSignalBox());
  for (int lamp = 0; lamp < 6; ++lamp) models.push_back(BuildSignalLamp(lamp));
  models.push_back(BuildSignalStand());
  for (Mesh& mesh : models) SnapToGrid(mesh);
  return models;
}

}  // namespace art_models
