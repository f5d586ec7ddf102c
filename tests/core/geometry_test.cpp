// The camera and projection matrices the race hands to the device.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "gfx3d/geometry.h"

namespace {

typedef float Grid[4][4];

void ToGrid(const D3DMATRIX& m, Grid& g) { std::memcpy(g, &m, sizeof(Grid)); }

D3DMATRIX FromRows(const Grid& g) {
  D3DMATRIX m;
  std::memcpy(&m, g, sizeof m);
  return m;
}

// A matrix full of values no builder would write: an element a builder forgets shows.
D3DMATRIX Sentinel() {
  Grid g;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) g[i][j] = 1000.0f + 10.0f * i + j;
  return FromRows(g);
}

bool SameBytes(const D3DMATRIX& a, const D3DMATRIX& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void ExpectNear(float x, float y, float z, const D3DVECTOR& v, float tolerance) {
  EXPECT_NEAR(x, v.x, tolerance);
  EXPECT_NEAR(y, v.y, tolerance);
  EXPECT_NEAR(z, v.z, tolerance);
}

// Row vector (x, y, z, 1) times m.
D3DVECTOR Transform(const D3DVECTOR& p, const D3DMATRIX& m) {
  Grid g;
  ToGrid(m, g);
  const float in[4] = {p.x, p.y, p.z, 1.0f};
  float out[4] = {};
  for (int j = 0; j < 4; ++j)
    for (int k = 0; k < 4; ++k) out[j] += in[k] * g[k][j];
  EXPECT_EQ(1.0f, out[3]) << "the fourth column is (0, 0, 0, 1)";
  return MakeVector(out[0], out[1], out[2]);
}

}  // namespace

TEST(ViewMatrix, MapsEyeToOriginAndTargetOntoPositiveZ) {
  // The race's starting camera, half a metre up, a general one and a degenerate one.
  const D3DVECTOR cameras[][3] = {
      {MakeVector(0, -0.5f, 0), MakeVector(0, -0.5f, 10), MakeVector(0, 1, 0)},
      {MakeVector(3, 2, -7), MakeVector(-1, 4, 5), MakeVector(0.2f, 1, 0.1f)},
      // An up vector along the view: the world's y axis stands in for it, and the z axis
      // when the view runs along y.
      {MakeVector(0, 0, 0), MakeVector(0, 0, 10), MakeVector(0, 0, 1)},
      {MakeVector(0, 0, 0), MakeVector(0, 10, 0), MakeVector(0, 1, 0)}};
  for (const auto& [eye, at, up] : cameras) {
    D3DMATRIX m = Sentinel();
    ASSERT_EQ(0, SetViewMatrix(m, eye, at, up));
    ExpectNear(0.0f, 0.0f, 0.0f, Transform(eye, m), 1e-5f);
    const D3DVECTOR view = MakeVector(at.x - eye.x, at.y - eye.y, at.z - eye.z);
    ExpectNear(0.0f, 0.0f, std::sqrt(SquareMagnitude(view)), Transform(at, m), 1e-4f);

    // The rotation part is orthonormal and right-handed in the device's sense (x = up cross
    // view), so the picture is neither mirrored nor sheared.
    Grid g;
    ToGrid(m, g);
    for (int a = 0; a < 3; ++a) {
      for (int b = 0; b < 3; ++b) {
        float dot = 0;
        for (int k = 0; k < 3; ++k) dot += g[k][a] * g[k][b];
        EXPECT_NEAR(a == b ? 1.0f : 0.0f, dot, 1e-5f) << "columns " << a << ", " << b;
      }
    }
    if (at.y == 10) continue;  // looking straight up
    EXPECT_GT(Transform(MakeVector(eye.x, eye.y + 1.0f, eye.z), m).y, 0.9f);
  }
}

TEST(ProjectionMatrix, RaceValues) {
  D3DMATRIX m = Sentinel();
  ASSERT_EQ(0, SetProjectionMatrix(m, 2.65f, 1.75f, 0.05f, 250.0f));
  EXPECT_NEAR(0.25087, m._22, 5e-6);
  EXPECT_NEAR(0.43902, m._11, 5e-6);
  EXPECT_NEAR(1.0002, m._33, 5e-6);
  EXPECT_NEAR(-0.05001, m._43, 5e-6);
  EXPECT_EQ(1.0f, m._34);
  Grid g;
  ToGrid(m, g);
  EXPECT_EQ(11, std::count(&g[0][0], &g[0][0] + 16, 0.0f)) << "every other element cleared";
}

TEST(MultiplyMatrix, SecondOperandIsAppliedFirst) {
  // world = tilt x translation: the point is turned about its own origin (a quarter turn
  // about x takes up to forward), then moved.
  D3DMATRIX translation, tilt = Sentinel(), world;
  SetTranslationMatrix(translation, 5.0f, 0.0f, 0.0f);
  SetRotateXMatrix(tilt, 1.5707964f);
  MultiplyMatrix(world, translation, tilt);
  ExpectNear(5.0f, 0.0f, 1.0f, Transform(MakeVector(0, 1, 0), world), 1e-6f);
  ExpectNear(0.0f, -1.0f, 0.0f, Transform(MakeVector(0, 0, 1), tilt), 1e-6f);  // forward to down
  D3DMATRIX identity = Sentinel();
  SetIdentityMatrix(identity);
  MultiplyMatrix(world, identity, world);
  ExpectNear(7.0f, -4.0f, 3.0f, Transform(MakeVector(2, 3, 4), world), 1e-6f);  // every axis
}

TEST(MultiplyMatrix, OutputMayAliasEitherOperand) {
  Grid gb;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) gb[i][j] = static_cast<float>((i + 2) * (j + 3) % 7) - 3.0f;
  const D3DMATRIX a = Sentinel(), b = FromRows(gb);
  D3DMATRIX apart, m = a, n = b;
  MultiplyMatrix(apart, a, b);
  MultiplyMatrix(m, m, b);
  MultiplyMatrix(n, a, n);
  EXPECT_TRUE(SameBytes(apart, m));
  EXPECT_TRUE(SameBytes(apart, n));
}
