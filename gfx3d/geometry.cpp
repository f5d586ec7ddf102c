#include "gfx3d/geometry.h"

#include <cmath>
#include <cstring>

namespace {

// Below these the inputs are treated as degenerate; both are single-precision constants
// and are compared as such.
constexpr float kMinLength = 1e-6f;
constexpr double kMinPlaneGapOrSine = static_cast<double>(0.01f);

D3DVECTOR Sub(const D3DVECTOR& a, const D3DVECTOR& b) {
  return MakeVector(a.x - b.x, a.y - b.y, a.z - b.z);
}

D3DVECTOR Scale(const D3DVECTOR& v, float s) { return MakeVector(v.x * s, v.y * s, v.z * s); }

D3DVECTOR Divide(const D3DVECTOR& v, float s) { return MakeVector(v.x / s, v.y / s, v.z / s); }

float Length(const D3DVECTOR& v) {
  return static_cast<float>(std::sqrt(static_cast<double>(SquareMagnitude(v))));
}

// The matrix as a plain 4x4 array, so rows and columns can be walked by index.
typedef float Grid[4][4];
static_assert(sizeof(Grid) == sizeof(D3DMATRIX), "a matrix is sixteen packed floats");

void ToGrid(const D3DMATRIX& m, Grid& g) { std::memcpy(g, &m, sizeof(Grid)); }
void FromGrid(const Grid& g, D3DMATRIX& m) { std::memcpy(&m, g, sizeof(Grid)); }

}  // namespace

D3DVECTOR MakeVector(D3DVALUE x, D3DVALUE y, D3DVALUE z) {
  D3DVECTOR v;
  v.x = x;
  v.y = y;
  v.z = z;
  return v;
}

D3DVALUE SquareMagnitude(const D3DVECTOR& v) { return v.x * v.x + v.y * v.y + v.z * v.z; }

D3DVALUE DotProduct(const D3DVECTOR& a, const D3DVECTOR& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

void SetIdentityMatrix(D3DMATRIX& m) {
  Grid g = {};
  for (int i = 0; i < 4; ++i) g[i][i] = 1.0f;
  FromGrid(g, m);
}

HRESULT SetViewMatrix(D3DMATRIX& m, const D3DVECTOR& eye, const D3DVECTOR& at,
                      const D3DVECTOR& up) {
  D3DVECTOR view = Sub(at, eye);
  float length = Length(view);
  if (length < kMinLength) return E_INVALIDARG;
  view = Divide(view, length);

  // The up vector made perpendicular to the viewing direction; when the caller's up is
  // (nearly) parallel to it, fall back to the world y axis, then to the world z axis.
  D3DVECTOR u = Sub(up, Scale(view, DotProduct(up, view)));
  length = Length(u);
  if (length < kMinLength) {
    u = Sub(MakeVector(0.0f, 1.0f, 0.0f), Scale(view, view.y));
    length = Length(u);
    if (length < kMinLength) {
      u = Sub(MakeVector(0.0f, 0.0f, 1.0f), Scale(view, view.z));
      length = Length(u);
      if (length < kMinLength) return E_INVALIDARG;
    }
  }
  u = Divide(u, length);

  const D3DVECTOR right = MakeVector(u.y * view.z - u.z * view.y, u.z * view.x - u.x * view.z,
                                     u.x * view.y - u.y * view.x);

  SetIdentityMatrix(m);
  m._11 = right.x;
  m._12 = u.x;
  m._13 = view.x;
  m._21 = right.y;
  m._22 = u.y;
  m._23 = view.y;
  m._31 = right.z;
  m._32 = u.z;
  m._33 = view.z;
  m._41 = -DotProduct(eye, right);
  m._42 = -DotProduct(eye, u);
  m._43 = -DotProduct(eye, view);
  m._44 = 1.0f;
  return S_OK;
}

HRESULT SetProjectionMatrix(D3DMATRIX& m, D3DVALUE fov, D3DVALUE aspect, D3DVALUE nearPlane,
                            D3DVALUE farPlane) {
  const float depth = farPlane - nearPlane;
  if (std::fabs(static_cast<double>(depth)) < kMinPlaneGapOrSine) return E_INVALIDARG;
  const double half = static_cast<double>(fov) * 0.5;
  const double s = std::sin(half);
  if (std::fabs(s) < kMinPlaneGapOrSine) return E_INVALIDARG;
  const double w = std::cos(half) / s;
  const double q = static_cast<double>(farPlane) / static_cast<double>(depth);

  Grid g = {};
  g[0][0] = static_cast<float>(w * aspect);
  g[1][1] = static_cast<float>(w);
  g[2][2] = static_cast<float>(q);
  g[2][3] = 1.0f;
  g[3][2] = static_cast<float>(-q * nearPlane);
  FromGrid(g, m);
  return S_OK;
}

void SetRotateXMatrix(D3DMATRIX& m, D3DVALUE angle) {
  const float c = static_cast<float>(std::cos(static_cast<double>(angle)));
  const float s = static_cast<float>(std::sin(static_cast<double>(angle)));
  SetIdentityMatrix(m);
  m._22 = c;
  m._23 = s;
  m._32 = -s;
  m._33 = c;
}

void MultiplyMatrix(D3DMATRIX& out, const D3DMATRIX& a, const D3DMATRIX& b) {
  Grid ga, gb, product;
  ToGrid(a, ga);
  ToGrid(b, gb);
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += gb[i][k] * ga[k][j];
      product[i][j] = sum;
    }
  }
  FromGrid(product, out);
}

void SetTranslationMatrix(D3DMATRIX& m, D3DVALUE x, D3DVALUE y, D3DVALUE z) {
  SetIdentityMatrix(m);
  m._41 = x;
  m._42 = y;
  m._43 = z;
}
