// Any bytes at all as a GPD resource: the parser either refuses them and leaves the model
// alone, or builds a model that agrees with the bytes to the last index.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "gfx3d/gpd_format.h"
#include "gfx3d/gpd_model.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  GpdModel model;
  const GpdStatus status = ParseGpdModel(data, size, model);
  if (status != GpdStatus::kOk) {
    Check(model.vertex_count == 0 && model.index_count == 0);
    Check(model.indices == nullptr && model.vertices == nullptr);
    return 0;
  }

  const uint16_t vertexCount = ReadU16(data + kGpdVertexCountOffset);
  const uint16_t faceCount = ReadU16(data + kGpdFaceCountOffset);
  Check(size == GpdResourceBytes(vertexCount, faceCount));
  Check(std::memcmp(data, kGpdSignature, kGpdSignatureBytes) == 0);
  Check(model.vertex_count == vertexCount);
  Check(model.index_count == 3 * faceCount);
  const uint8_t* faces = data + GpdResourceBytes(vertexCount, 0);
  for (size_t f = 0; f < faceCount; ++f) {
    for (size_t k = 0; k < 3; ++k) {
      const uint16_t index = model.indices[3 * f + k];
      Check(index == ReadU16(faces + 8 * f + 2 * k));
      Check(index < vertexCount);
    }
  }
  for (size_t v = 0; v < vertexCount; ++v) {
    const uint8_t* record = data + GpdResourceBytes(v, 0);
    uint8_t expected[sizeof(GpdVertex)];
    std::memcpy(expected, record, sizeof expected);  // little-endian hosts only
    Check(std::memcmp(&model.vertices[v], expected, sizeof expected) == 0);
  }

  // Parsing the same bytes into a model that already holds a mesh replaces it whole.
  GpdModel again;
  Check(ParseGpdModel(data, size, again) == GpdStatus::kOk);
  Check(ParseGpdModel(data, size, again) == GpdStatus::kOk);
  Check(again.vertex_count == model.vertex_count && again.index_count == model.index_count);
  ReleaseGpdModel(again);
  ReleaseGpdModel(again);
  Check(again.vertices == nullptr && again.indices == nullptr);
  return 0;
}
