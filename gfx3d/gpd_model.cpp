#include "gfx3d/gpd_model.h"

#include <cstring>

#include "gfx3d/gpd_format.h"

namespace {

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

float ReadF32(const uint8_t* p) {
  const uint32_t bits = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                        (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

}  // namespace

GpdStatus ParseGpdModel(const uint8_t* bytes, size_t size, GpdModel& model) {
  // A NUL inside the signature makes it a shorter string, which can never match; a plain
  // byte comparison of the 28 characters rejects exactly the same resources.
  if (bytes == nullptr || size < kGpdHeaderBytes ||
      std::memcmp(bytes, kGpdSignature, kGpdSignatureBytes) != 0) {
    return GpdStatus::kBadSignature;
  }
  const uint16_t vertexCount = ReadU16(bytes + kGpdVertexCountOffset);
  const uint16_t faceCount = ReadU16(bytes + kGpdFaceCountOffset);

  // The counts are 16-bit, so this size cannot overflow. The format has nothing after the
  // faces; a resource with bytes left over has counts that disagree with its content, and
  // drawing part of it would only hide the fault.
  const size_t expected = GpdResourceBytes(vertexCount, faceCount);
  if (size < expected) return GpdStatus::kTruncated;
  if (size > expected) return GpdStatus::kTrailingBytes;

  const uint8_t* faceBytes = bytes + kGpdHeaderBytes + kGpdVertexRecordBytes * vertexCount;
  const size_t indexCount = 3 * static_cast<size_t>(faceCount);
  // The model keeps its index count in 16 bits, as the device call takes it.
  if (indexCount > 0xFFFF) return GpdStatus::kTooManyFaces;

  std::unique_ptr<uint16_t[]> indices(indexCount ? new uint16_t[indexCount] : nullptr);
  for (size_t f = 0; f < faceCount; ++f) {
    const uint8_t* record = faceBytes + kGpdFaceRecordBytes * f;
    for (size_t k = 0; k < 3; ++k) {
      const uint16_t index = ReadU16(record + 2 * k);
      if (index >= vertexCount) return GpdStatus::kIndexOutOfRange;
      indices[3 * f + k] = index;
    }
  }

  std::unique_ptr<GpdVertex[]> vertices(vertexCount ? new GpdVertex[vertexCount] : nullptr);
  for (size_t v = 0; v < vertexCount; ++v) {
    const uint8_t* record = bytes + kGpdHeaderBytes + kGpdVertexRecordBytes * v;
    GpdVertex& dst = vertices[v];
    dst.x = ReadF32(record + 0);
    dst.y = ReadF32(record + 4);
    dst.z = ReadF32(record + 8);
    dst.nx = ReadF32(record + 12);
    dst.ny = ReadF32(record + 16);
    dst.nz = ReadF32(record + 20);
    dst.u = ReadF32(record + 24);
    dst.v = ReadF32(record + 28);
  }

  model.vertex_count = vertexCount;
  model.index_count = static_cast<uint16_t>(indexCount);
  model.indices = std::move(indices);
  model.vertices = std::move(vertices);
  return GpdStatus::kOk;
}

void CopyTriangleListVertices(const GpdModel& model, GpdVertex* out) {
  for (size_t i = 0; i < model.index_count; ++i) out[i] = model.vertices[model.indices[i]];
}

void ReleaseGpdModel(GpdModel& model) {
  model.indices.reset();
  model.vertices.reset();
  model.vertex_count = 0;
  model.index_count = 0;
}
