// "ghost": the car of the player's best run, raced beside the player. A low coupe in a few flat
// panels: it is drawn untextured and see-through, so its shape and the scene's light on its
// panels carry it, and the race's wide lens shows it small except at the line. That lens
// stretches everything 1.75 times sideways, so the car is built narrow: seen from behind it
// shows as wide as a car is.
//
// Its axes are the race's: the origin under the driver's eye on the road's centre line (the
// race moves it into the next lane and along by the run's distance), x right, y up with the
// road surface at the race's height, z forward.
#include <cmath>

#include "tools/art/models/race_models.h"

namespace art_models {

namespace {

// metres
constexpr float kRoadY = -1.72f;                   // the course's driving surface
constexpr float kRearZ = -2.55f, kFrontZ = 1.85f;  // 4.4 m long, the driver a little aft
constexpr float kBonnetBreakZ = 0.95f;             // where the bonnet starts to fall to the nose
constexpr float kHalfWidth = 0.62f;
constexpr float kSillY = kRoadY + 0.18f;
constexpr float kTailY = kRoadY + 0.78f;           // the deck lid, a touch above the shoulder
constexpr float kShoulderY = kRoadY + 0.72f;       // at the bonnet's break
constexpr float kNoseY = kRoadY + 0.58f;
constexpr float kRoofY = kRoadY + 1.3f;
constexpr float kRoofHalfWidth = 0.44f;            // the glasshouse tucks in over the shoulders
constexpr float kScreenFootZ = 0.35f, kRoofFrontZ = -0.35f;  // windscreen
constexpr float kRoofRearZ = -1.35f, kBackFootZ = -1.95f;    // rear screen
constexpr float kWheelRadius = 0.31f, kWheelWidth = 0.16f;
constexpr float kWheelProud = 0.03f;               // the tyres stand out of the body's sides
constexpr float kFrontAxleZ = 1.15f, kRearAxleZ = -1.6f;
constexpr int kWheelSides = 6;                     // a hexagon reads as round at this size

const Uv kNoUv[4] = {};  // drawn without a texture

// The height of the shoulder line, which rises straight from the tail to the bonnet's break.
float ShoulderY(float z) {
  return kTailY + (kShoulderY - kTailY) * (z - kRearZ) / (kBonnetBreakZ - kRearZ);
}

void Quad(Mesh& mesh, Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 outward) {
  const Vec3 p[4] = {a, b, c, d};
  FaceStyle style;
  style.colour = kColourFace;
  AddQuad(mesh, p, kNoUv, outward, style);
}

void AddBody(Mesh& mesh) {
  const float w = kHalfWidth, r = kRoofHalfWidth;
  const float back = ShoulderY(kBackFootZ), screen = ShoulderY(kScreenFootZ);
  for (float side : {-1.0f, 1.0f}) {
    const Vec3 out = V3(side, 0, 0);
    const float x = side * w, xr = side * r;
    Quad(mesh, V3(x, kSillY, kRearZ), V3(x, kTailY, kRearZ), V3(x, kShoulderY, kBonnetBreakZ),
         V3(x, kSillY, kBonnetBreakZ), out);
    Quad(mesh, V3(x, kSillY, kBonnetBreakZ), V3(x, kShoulderY, kBonnetBreakZ),
         V3(x, kNoseY, kFrontZ), V3(x, kSillY, kFrontZ), out);
    // The side windows lean in from the shoulder to the roof.
    Quad(mesh, V3(x, back, kBackFootZ), V3(xr, kRoofY, kRoofRearZ), V3(xr, kRoofY, kRoofFrontZ),
         V3(x, screen, kScreenFootZ), out + V3(0, 0.4f, 0));
  }
  // Tail, deck lid, rear screen, roof, windscreen, bonnet, nose and floor, rear to front.
  Quad(mesh, V3(-w, kSillY, kRearZ), V3(-w, kTailY, kRearZ), V3(w, kTailY, kRearZ),
       V3(w, kSillY, kRearZ), V3(0, 0, -1));
  Quad(mesh, V3(-w, kTailY, kRearZ), V3(-w, back, kBackFootZ), V3(w, back, kBackFootZ),
       V3(w, kTailY, kRearZ), V3(0, 1, 0));
  Quad(mesh, V3(-w, back, kBackFootZ), V3(-r, kRoofY, kRoofRearZ), V3(r, kRoofY, kRoofRearZ),
       V3(w, back, kBackFootZ), V3(0, 0.6f, -1));
  Quad(mesh, V3(-r, kRoofY, kRoofRearZ), V3(-r, kRoofY, kRoofFrontZ), V3(r, kRoofY, kRoofFrontZ),
       V3(r, kRoofY, kRoofRearZ), V3(0, 1, 0));
  Quad(mesh, V3(-r, kRoofY, kRoofFrontZ), V3(-w, screen, kScreenFootZ), V3(w, screen, kScreenFootZ),
       V3(r, kRoofY, kRoofFrontZ), V3(0, 0.6f, 1));
  Quad(mesh, V3(-w, screen, kScreenFootZ), V3(-w, kShoulderY, kBonnetBreakZ),
       V3(w, kShoulderY, kBonnetBreakZ), V3(w, screen, kScreenFootZ), V3(0, 1, 0));
  Quad(mesh, V3(-w, kShoulderY, kBonnetBreakZ), V3(-w, kNoseY, kFrontZ), V3(w, kNoseY, kFrontZ),
       V3(w, kShoulderY, kBonnetBreakZ), V3(0, 1, 0.3f));
  Quad(mesh, V3(-w, kSillY, kFrontZ), V3(-w, kNoseY, kFrontZ), V3(w, kNoseY, kFrontZ),
       V3(w, kSillY, kFrontZ), V3(0, 0, 1));
  Quad(mesh, V3(-w, kSillY, kRearZ), V3(-w, kSillY, kFrontZ), V3(w, kSillY, kFrontZ),
       V3(w, kSillY, kRearZ), V3(0, -1, 0));
}

// A tyre: a hexagonal drum, its tread and its outer face, standing on one of its flats. Tyres
// are black: every normal of theirs faces the road, away from the scene's light, which leaves
// them in the ambient light alone.
void AddWheel(Mesh& mesh, float side, float axleZ) {
  const size_t first = mesh.vertices.size();
  constexpr float kTurn = 6.283185307179586f;
  const float centreY = kRoadY + kWheelRadius;
  const float corner = kWheelRadius / std::cos(kTurn / (2 * kWheelSides));
  const float outer = side * (kHalfWidth + kWheelProud);
  const float inner = outer - side * kWheelWidth;
  float y[kWheelSides], z[kWheelSides];
  for (int k = 0; k < kWheelSides; ++k) {
    const float a = kTurn * (k + 0.5f) / kWheelSides;
    y[k] = centreY - corner * std::cos(a);
    z[k] = axleZ + corner * std::sin(a);
  }
  for (int k = 0; k < kWheelSides; ++k) {
    const int n = (k + 1) % kWheelSides;
    const Vec3 outward = V3(0, (y[k] + y[n]) / 2 - centreY, (z[k] + z[n]) / 2 - axleZ);
    Quad(mesh, V3(inner, y[k], z[k]), V3(outer, y[k], z[k]), V3(outer, y[n], z[n]),
         V3(inner, y[n], z[n]), outward);
  }
  auto rim = [&](int k) { return V3(outer, y[k], z[k]); };
  Quad(mesh, rim(0), rim(1), rim(2), rim(3), V3(side, 0, 0));
  Quad(mesh, rim(3), rim(4), rim(5), rim(0), V3(side, 0, 0));
  for (size_t i = first; i < mesh.vertices.size(); ++i) {
    mesh.vertices[i].nx = mesh.vertices[i].nz = 0.0f;
    mesh.vertices[i].ny = -1.0f;
  }
}

}  // namespace

Mesh BuildGhostCar() {
  Mesh mesh;
  mesh.name = "ghost";
  AddBody(mesh);
  for (float side : {-1.0f, 1.0f}) {
    AddWheel(mesh, side, kFrontAxleZ);
    AddWheel(mesh, side, kRearAxleZ);
  }
  SnapToGrid(mesh);
  return mesh;
}

}  // namespace art_models
