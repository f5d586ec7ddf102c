// A GPD model as the race draws it: the parsed arrays, and its triangles copied once, when the
// race is set up, into a vertex buffer as a plain triangle list, so that drawing it hands the
// device neither vertices nor indices (see vertex_buffer_d3d.h for why).
#pragma once

#include <windows.h>
#include <d3d.h>

#include "gfx3d/gpd_model.h"

struct DeviceModel {
  GpdModel mesh;
  IDirect3DVertexBuffer* vertex_buffer = nullptr;  // none: drawn from mesh's own arrays
};

// Loads the "GPD" resource into mesh and its triangles into a new vertex buffer of direct3d.
// Returns 1 when the model loaded; a buffer that cannot be made is logged and the model is
// then drawn from its arrays. A model that fails to load is left as LoadGpdModel leaves it.
int LoadDeviceModel(DeviceModel& model, const char* resourceName, IDirect3D3* direct3d,
                    bool hardwareDevice);

// Releases the vertex buffer and the arrays. Harmless on an empty model and twice.
void ReleaseDeviceModel(DeviceModel& model);

// Draws the model's triangle list with the world matrix. An empty model draws nothing.
void DrawDeviceModel(IDirect3DDevice3* device, const DeviceModel& model, D3DMATRIX& world);
