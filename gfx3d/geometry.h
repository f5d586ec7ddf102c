// Vectors and 4x4 matrices for the fixed-function device: y up, z along the course, one unit
// one metre; row vectors times matrices, translation in _41.._43.
#pragma once

#include "gfx3d/d3d_types.h"

D3DVECTOR MakeVector(D3DVALUE x, D3DVALUE y, D3DVALUE z);
D3DVALUE SquareMagnitude(const D3DVECTOR& v);
D3DVALUE DotProduct(const D3DVECTOR& a, const D3DVECTOR& b);

void SetIdentityMatrix(D3DMATRIX& m);

// Camera matrix looking from `eye` towards `at`. Returns 0, or E_INVALIDARG with `m` untouched
// when eye and at coincide or no usable up direction can be found.
HRESULT SetViewMatrix(D3DMATRIX& m, const D3DVECTOR& eye, const D3DVECTOR& at,
                      const D3DVECTOR& up);

// Perspective projection; fov in radians, aspect scales the horizontal axis. Returns 0, or
// E_INVALIDARG with `m` untouched when the planes nearly coincide or the half-angle is ~0.
HRESULT SetProjectionMatrix(D3DMATRIX& m, D3DVALUE fov, D3DVALUE aspect, D3DVALUE nearPlane,
                            D3DVALUE farPlane);

// Rotation about the x axis by `angle` radians.
void SetRotateXMatrix(D3DMATRIX& m, D3DVALUE angle);

// out = b x a (rows of b times columns of a). `out` may alias either operand.
void MultiplyMatrix(D3DMATRIX& out, const D3DMATRIX& a, const D3DMATRIX& b);

// Identity with (x, y, z) in the translation row.
void SetTranslationMatrix(D3DMATRIX& m, D3DVALUE x, D3DVALUE y, D3DVALUE z);
