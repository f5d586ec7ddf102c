// Textures for the race's 3D scene: 8-bit bitmap resources turned into 16-bit texture
// surfaces of the 3D device.
#pragma once

#include <windows.h>
#include <ddraw.h>
#include <d3d.h>

#include <cstddef>
#include <cstdint>

// One loaded texture. Empty until loaded; ReleaseTexture empties it again.
struct Texture {
  IDirectDrawSurface4* surface = nullptr;  // holds the texels (owned)
  IDirect3DDevice3* device = nullptr;      // the device it is meant for (not owned)
  IDirect3DTexture2* texture = nullptr;    // what SetTexture takes (owned)
};

// The race's three textures: the start signal sheet ("TEX_SIG"), the road ("TEX_WAY") and
// the road with the start and finish line ("TEX_WAY2").
extern Texture tex_sig;
extern Texture tex_Way;
extern Texture tex_Way2;

// Loads the bitmap resource `resourceName` into `texture` for `device`: 1 on success, 0 on
// failure (logged; the record is then empty). Whatever the record held is released first.
// `hardwareDevice` non-zero puts the texels in video memory, else in system memory.
int LoadTexture(Texture& texture, const char* resourceName, IDirect3DDevice3* device,
                IDirectDraw4* directDraw, int32_t hardwareDevice);

// The same from bitmap bytes already in memory (a DIB without file header).
int LoadTextureFromBitmap(Texture& texture, const uint8_t* bitmap, size_t size,
                          IDirect3DDevice3* device, IDirectDraw4* directDraw,
                          int32_t hardwareDevice);

// Releases the texture interface and the surface; the device is kept.
void ReleaseTexture(Texture& texture);
