// Direct3D vertex buffers that hold the race's geometry in the device, so that no vertex is
// handed to the device from the program's memory on a draw.
//
// Why: vertices and indices given to DrawIndexedPrimitive are copied into a stream buffer on
// every draw. Under Wine that stream lives in 64 MB blocks; once one is used up (about 18 s
// of racing with every model streamed, about 200 s with only the indices streamed) a fresh
// block is taken, and that frame costs 170-850 ms, which the race clock counts against the
// player. A buffer filled once, or rewritten in place, streams nothing.
#pragma once

#include <windows.h>
#include <d3d.h>

#include <cstddef>

// How a buffer's vertices change, which decides where it lives.
enum class VertexUpdates {
  // Written at set-up only: in the device's memory for a hardware device.
  kNone,
  // Rewritten every frame: always in system memory, where a lock waits for nothing. Wine
  // gives a buffer in the device's memory a fresh piece of its graphics memory on every lock
  // and keeps a record of the old piece for good: the two needles took 150 bytes of the heap
  // a frame, over 30 MB an hour of racing.
  kEveryFrame,
};

// A buffer of vertexCount vertices of the format fvf, in system memory for a software device
// (which can read no other) or for vertices rewritten every frame. nullptr on failure, with
// the reason logged; the caller then hands its vertices to the device as before.
IDirect3DVertexBuffer* CreateVertexBufferFor(IDirect3D3* direct3d, DWORD fvf, DWORD vertexCount,
                                             bool hardwareDevice, VertexUpdates updates);

// Copies bytes of vertices into the buffer at the start. false (logged) when it cannot be
// locked or is too small.
bool WriteVertexBuffer(IDirect3DVertexBuffer* buffer, const void* vertices, size_t bytes);
