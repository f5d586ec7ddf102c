#include "gfx3d/vertex_buffer_d3d.h"

#include <cstring>

#include "app/debug_log.h"

IDirect3DVertexBuffer* CreateVertexBufferFor(IDirect3D3* direct3d, DWORD fvf, DWORD vertexCount,
                                             bool hardwareDevice, VertexUpdates updates) {
  if (direct3d == nullptr || vertexCount == 0) return nullptr;
  const bool systemMemory = !hardwareDevice || updates == VertexUpdates::kEveryFrame;
  D3DVERTEXBUFFERDESC description = {};
  description.dwSize = sizeof description;
  description.dwCaps = D3DVBCAPS_WRITEONLY | (systemMemory ? D3DVBCAPS_SYSTEMMEMORY : 0);
  description.dwFVF = fvf;
  description.dwNumVertices = vertexCount;
  IDirect3DVertexBuffer* buffer = nullptr;
  const HRESULT result = direct3d->CreateVertexBuffer(&description, &buffer, 0, nullptr);
  if (FAILED(result) || buffer == nullptr) {
    WriteLog("頂点バッファの作成に失敗しました。(%08lX)\n", static_cast<unsigned long>(result));
    return nullptr;
  }
  return buffer;
}

bool WriteVertexBuffer(IDirect3DVertexBuffer* buffer, const void* vertices, size_t bytes) {
  void* data = nullptr;
  DWORD size = 0;
  // Plain locks only: the lock flags that skip the wait belong to later Direct3D versions.
  const HRESULT result = buffer->Lock(DDLOCK_WAIT | DDLOCK_WRITEONLY, &data, &size);
  if (FAILED(result) || data == nullptr || size < bytes) {
    WriteLog("頂点バッファをロックできません。(%08lX)\n", static_cast<unsigned long>(result));
    if (SUCCEEDED(result)) buffer->Unlock();
    return false;
  }
  std::memcpy(data, vertices, bytes);
  buffer->Unlock();
  return true;
}
