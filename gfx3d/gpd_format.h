// The GPD mesh format: one static triangle mesh per resource of type "GPD". The game's parser
// (gpd_model.cpp) and the art generator's writer both take the layout from here.
//
// Little-endian, no padding. The resource is exactly 32 + 40 V + 8 F bytes:
//
//   offset        width   content
//   0             28      signature "GPD Data MeshWriter  KOV    " (no NUL)
//   28            2       V, vertex count, u16
//   30            2       F, face count, u16
//   32            40 V    vertex records
//   32 + 40 V     8 F     face records
//
// Vertex record, 40 bytes:
//   0 x   4 y (up)   8 z (forward)   12 normal x   16 normal y   20 normal z   (f32)
//   24 u  28 v (texture, f32)   32 reserved (u32, 0)   36 colour 0x00RRGGBB (u32, not drawn)
//
// Face record, 8 bytes: vertex indices a, b, c (u16, each below V), then one u16 pad (0).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr char kGpdSignature[] = "GPD Data MeshWriter  KOV    ";
constexpr size_t kGpdSignatureBytes = 28;
static_assert(sizeof(kGpdSignature) == kGpdSignatureBytes + 1, "28 characters and the NUL");

constexpr size_t kGpdVertexCountOffset = 28;
constexpr size_t kGpdFaceCountOffset = 30;
constexpr size_t kGpdHeaderBytes = 32;
constexpr size_t kGpdVertexRecordBytes = 40;
constexpr size_t kGpdFaceRecordBytes = 8;

// One vertex as the file stores it.
struct GpdFileVertex {
  float x, y, z;         // model units (metres)
  float nx, ny, nz;      // unit normal
  float u, v;            // texture coordinates, 0..1
  uint32_t reserved;     // 0
  uint32_t colour;       // 0x00RRGGBB; carried by the format, ignored by the game
};
static_assert(sizeof(GpdFileVertex) == kGpdVertexRecordBytes, "GPD vertex record");

// One triangle as the file stores it.
struct GpdFileFace {
  uint16_t a, b, c;      // vertex indices
  uint16_t pad;          // 0; never read
};
static_assert(sizeof(GpdFileFace) == kGpdFaceRecordBytes, "GPD face record");

// Size of a resource holding `vertexCount` vertices and `faceCount` faces.
constexpr size_t GpdResourceBytes(size_t vertexCount, size_t faceCount) {
  return kGpdHeaderBytes + kGpdVertexRecordBytes * vertexCount + kGpdFaceRecordBytes * faceCount;
}

// Serialises a mesh into the resource bytes. Returns false (and leaves `out` empty) when
// there are more than 65535 vertices or 21845 faces, or a face index is not below the
// vertex count, so a writer can never produce a file the game's parser would refuse.
bool WriteGpdBytes(const std::vector<GpdFileVertex>& vertices,
                   const std::vector<GpdFileFace>& faces, std::vector<uint8_t>& out);
