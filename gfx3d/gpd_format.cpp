#include "gfx3d/gpd_format.h"

#include <cstring>

namespace {

void PutU16(std::vector<uint8_t>& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value & 0xFF));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutF32(std::vector<uint8_t>& out, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  PutU32(out, bits);
}

}  // namespace

bool WriteGpdBytes(const std::vector<GpdFileVertex>& vertices,
                   const std::vector<GpdFileFace>& faces, std::vector<uint8_t>& out) {
  out.clear();
  // The game keeps 3 x F indices in a 16-bit count.
  if (vertices.size() > 0xFFFF || faces.size() > 0xFFFF / 3) return false;
  for (const GpdFileFace& f : faces) {
    if (f.a >= vertices.size() || f.b >= vertices.size() || f.c >= vertices.size()) return false;
  }

  out.reserve(GpdResourceBytes(vertices.size(), faces.size()));
  out.insert(out.end(), kGpdSignature, kGpdSignature + kGpdSignatureBytes);
  PutU16(out, static_cast<uint16_t>(vertices.size()));
  PutU16(out, static_cast<uint16_t>(faces.size()));
  for (const GpdFileVertex& v : vertices) {
    for (float f : {v.x, v.y, v.z, v.nx, v.ny, v.nz, v.u, v.v}) PutF32(out, f);
    PutU32(out, v.reserved);
    PutU32(out, v.colour);
  }
  for (const GpdFileFace& f : faces) {
    PutU16(out, f.a);
    PutU16(out, f.b);
    PutU16(out, f.c);
    PutU16(out, f.pad);
  }
  return true;
}
