#include "gfx3d/device_model_d3d.h"

#include <vector>

#include "gfx3d/vertex_buffer_d3d.h"

namespace {
constexpr DWORD kModelVertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

void ReleaseVertexBuffer(DeviceModel& model) {
  if (model.vertex_buffer != nullptr) {
    model.vertex_buffer->Release();
    model.vertex_buffer = nullptr;
  }
}
}  // namespace

int LoadDeviceModel(DeviceModel& model, const char* resourceName, IDirect3D3* direct3d,
                    bool hardwareDevice) {
  // A buffer belongs to the device it was made for, which a display rebuild replaces.
  ReleaseVertexBuffer(model);
  if (!LoadGpdModel(model.mesh, resourceName)) return 0;
  const GpdModel& mesh = model.mesh;
  model.vertex_buffer =
      CreateVertexBufferFor(direct3d, kModelVertexFormat, mesh.index_count, hardwareDevice,
                            VertexUpdates::kNone);
  if (model.vertex_buffer != nullptr) {
    std::vector<GpdVertex> triangles(mesh.index_count);
    CopyTriangleListVertices(mesh, triangles.data());
    if (!WriteVertexBuffer(model.vertex_buffer, triangles.data(),
                           sizeof(GpdVertex) * triangles.size())) {
      ReleaseVertexBuffer(model);
    }
  }
  return 1;
}

void ReleaseDeviceModel(DeviceModel& model) {
  ReleaseVertexBuffer(model);
  ReleaseGpdModel(model.mesh);
}

void DrawDeviceModel(IDirect3DDevice3* device, const DeviceModel& model, D3DMATRIX& world) {
  const GpdModel& mesh = model.mesh;
  if (mesh.vertex_count == 0 || mesh.index_count == 0) return;
  device->SetTransform(D3DTRANSFORMSTATE_WORLD, &world);
  if (model.vertex_buffer != nullptr) {
    device->DrawPrimitiveVB(D3DPT_TRIANGLELIST, model.vertex_buffer, 0, mesh.index_count, 0);
  } else {
    device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, kModelVertexFormat, mesh.vertices.get(),
                                 mesh.vertex_count, mesh.indices.get(), mesh.index_count, 0);
  }
}
