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

// A matrix full of values no builder would write, to see whether a failing call touched it.
D3DMATRIX Sentinel() {
  Grid g;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) g[i][j] = 1000.0f + 10.0f * i + j;
  return FromRows(g);
}

bool SameBytes(const D3DMATRIX& a, const D3DMATRIX& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Row vector (x, y, z, 1) times m.
D3DVECTOR Transform(const D3DVECTOR& p, const D3DMATRIX& m) {
  Grid g;
  ToGrid(m, g);
  const float in[4] = {p.x, p.y, p.z, 1.0f};
  float out[4] = {};
  for (int j = 0; j < 4; ++j)
    for (int k = 0; k < 4; ++k) out[j] += in[k] * g[k][j];
  return MakeVector(out[0], out[1], out[2]);
}

void ExpectMatrixNear(const Grid& expected, const D3DMATRIX& actual, float tolerance) {
  Grid g;
  ToGrid(actual, g);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      EXPECT_NEAR(expected[i][j], g[i][j], tolerance) << "element _" << i + 1 << j + 1;
}

}  // namespace

TEST(ViewMatrix, RaceStartCameraIsIdentityRotationLiftedHalfAMetre) {
  D3DMATRIX m = Sentinel();
  ASSERT_EQ(0, SetViewMatrix(m, MakeVector(0, -0.5f, 0), MakeVector(0, -0.5f, 10),
                             MakeVector(0, 1, 0)));
  const Grid expected = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0.5f, 0, 1}};
  ExpectMatrixNear(expected, m, 1e-7f);
}

TEST(ViewMatrix, GeneralCameraMapsEyeToOriginAndTargetOntoPositiveZ) {
  const D3DVECTOR eye = MakeVector(3.0f, 2.0f, -7.0f);
  const D3DVECTOR at = MakeVector(-1.0f, 4.0f, 5.0f);
  D3DMATRIX m;
  ASSERT_EQ(0, SetViewMatrix(m, eye, at, MakeVector(0.2f, 1.0f, 0.1f)));

  const D3DVECTOR e = Transform(eye, m);
  EXPECT_NEAR(0.0f, e.x, 1e-5f);
  EXPECT_NEAR(0.0f, e.y, 1e-5f);
  EXPECT_NEAR(0.0f, e.z, 1e-5f);
  const D3DVECTOR t = Transform(at, m);
  EXPECT_NEAR(0.0f, t.x, 1e-4f);
  EXPECT_NEAR(0.0f, t.y, 1e-4f);
  EXPECT_NEAR(std::sqrt(16.0f + 4.0f + 144.0f), t.z, 1e-4f);

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
  const D3DVECTOR above = Transform(MakeVector(eye.x, eye.y + 1.0f, eye.z), m);
  EXPECT_GT(above.y, 0.9f);
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

TEST(RotateXMatrix, QuarterTurnTakesUpToForward) {
  D3DMATRIX m = Sentinel();
  SetRotateXMatrix(m, 1.5707964f);
  const D3DVECTOR p = Transform(MakeVector(0, 1, 0), m);
  EXPECT_NEAR(0.0f, p.x, 1e-6f);
  EXPECT_NEAR(0.0f, p.y, 1e-6f);
  EXPECT_NEAR(1.0f, p.z, 1e-6f);
  EXPECT_NEAR(-1.0f, Transform(MakeVector(0, 0, 1), m).y, 1e-6f) << "and forward to down";
}

TEST(MultiplyMatrix, SecondOperandIsAppliedFirst) {
  // world = tilt x translation: the point is turned about its own origin, then moved.
  D3DMATRIX translation, tilt, world;
  SetTranslationMatrix(translation, 5.0f, 0.0f, 0.0f);
  SetRotateXMatrix(tilt, 1.5707964f);
  MultiplyMatrix(world, translation, tilt);
  const D3DVECTOR p = Transform(MakeVector(0, 1, 0), world);
  EXPECT_NEAR(5.0f, p.x, 1e-6f);
  EXPECT_NEAR(0.0f, p.y, 1e-6f);
  EXPECT_NEAR(1.0f, p.z, 1e-6f);
}

TEST(MultiplyMatrix, OutputMayAliasEitherOperand) {
  Grid ga, gb;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      ga[i][j] = static_cast<float>(i * 4 + j + 1);
      gb[i][j] = static_cast<float>((i + 2) * (j + 3) % 7) - 3.0f;
    }
  D3DMATRIX apart;
  MultiplyMatrix(apart, FromRows(ga), FromRows(gb));
  D3DMATRIX m = FromRows(ga);
  MultiplyMatrix(m, m, FromRows(gb));
  EXPECT_TRUE(SameBytes(apart, m));
  D3DMATRIX n = FromRows(gb);
  MultiplyMatrix(n, FromRows(ga), n);
  EXPECT_TRUE(SameBytes(apart, n));
}
