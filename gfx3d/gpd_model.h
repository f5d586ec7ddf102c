// A static triangle mesh in the layout the device draws: D3DFVF_XYZ | D3DFVF_NORMAL |
// D3DFVF_TEX1 vertices and a 16-bit triangle list. Loaded from "GPD" resources.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// One vertex as the device consumes it (the first 32 bytes of a file vertex).
struct GpdVertex {
  float x, y, z;      // model units (metres)
  float nx, ny, nz;   // unit normal
  float u, v;         // texture coordinates
};
static_assert(sizeof(GpdVertex) == 32, "position + normal + one texture coordinate set");

// A model that was never loaded, or was released, has no arrays and both counts 0.
struct GpdModel {
  uint16_t vertex_count = 0;
  uint16_t index_count = 0;                 // 3 x the file's face count
  std::unique_ptr<uint16_t[]> indices;      // a, b, c of each face in file order
  std::unique_ptr<GpdVertex[]> vertices;
};

enum class GpdStatus {
  kOk,
  kBadSignature,     // first 28 bytes are not the signature (or the data is shorter than that)
  kTruncated,        // fewer bytes than the counts require
  kTrailingBytes,    // more bytes than the counts account for
  kIndexOutOfRange,  // a face names a vertex at or beyond the vertex count
  kTooManyFaces,     // 3 x F does not fit the 16-bit index count (F above 21845)
};

// Fills `model` from the bytes of one GPD resource. Anything but kOk leaves `model` as it
// was; every rejection means "not GPD data" to the caller.
GpdStatus ParseGpdModel(const uint8_t* bytes, size_t size, GpdModel& model);

// Writes the model's triangles as a plain triangle list, one vertex per index in index
// order: index_count vertices into `out`. The same triangles drawn without indices need no
// index data handed to the device on every draw.
void CopyTriangleListVertices(const GpdModel& model, GpdVertex* out);

// Frees both arrays (each only if present) and sets both counts to 0. Harmless twice.
void ReleaseGpdModel(GpdModel& model);

// Reads the resource `resourceName` of type "GPD" from the executable (Windows only).
// Returns 1 on success; on failure logs the reason, leaves `model` unchanged and returns 0.
int LoadGpdModel(GpdModel& model, const char* resourceName);
