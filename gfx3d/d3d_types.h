// The Direct3D vector and matrix types the 3D code is written against.
//
// On Windows these are the published ones from <d3dtypes.h>, so a matrix built here goes to
// IDirect3DDevice3::SetTransform unchanged. The native build (tests, host tools) gets plain
// structs of the same names and byte layout.
#pragma once

#include <cstdint>

#if defined(_WIN32)

// Portable code that includes this header uses std::min and std::max.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <d3dtypes.h>

#else

typedef float D3DVALUE;

struct D3DVECTOR {
  D3DVALUE x, y, z;
};

// Row-major; points are row vectors multiplied on the left, translation in the fourth row.
struct D3DMATRIX {
  D3DVALUE _11, _12, _13, _14;
  D3DVALUE _21, _22, _23, _24;
  D3DVALUE _31, _32, _33, _34;
  D3DVALUE _41, _42, _43, _44;
};

typedef int32_t HRESULT;

#ifndef S_OK
#define S_OK ((HRESULT)0)
#endif
#ifndef E_INVALIDARG
#define E_INVALIDARG ((HRESULT)0x80070057u)
#endif

#endif

static_assert(sizeof(D3DVECTOR) == 12, "D3DVECTOR is three floats");
static_assert(sizeof(D3DMATRIX) == 64, "D3DMATRIX is sixteen floats");
