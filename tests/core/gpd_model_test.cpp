// The GPD mesh parser and the writer the art generator builds the game's models with.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "gfx3d/gpd_format.h"
#include "gfx3d/gpd_model.h"

namespace {

GpdFileVertex Vertex(float base) {
  return {base, base + 0.25f, -base, 0.0f, 1.0f, 0.0f, 0.125f, 0.5f, 0, 0x808080};
}

// A quad of two triangles with four vertices of its own, as the road models are built.
std::vector<uint8_t> QuadBytes() {
  std::vector<GpdFileVertex> vertices = {Vertex(1), Vertex(2), Vertex(3), Vertex(4)};
  std::vector<GpdFileFace> faces = {{0, 1, 2, 0}, {2, 1, 3, 0}};
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(WriteGpdBytes(vertices, faces, bytes));
  return bytes;
}

void PutU16(std::vector<uint8_t>& bytes, size_t at, uint16_t value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

GpdModel LoadedQuad() {
  GpdModel model;
  const std::vector<uint8_t> bytes = QuadBytes();
  EXPECT_EQ(GpdStatus::kOk, ParseGpdModel(bytes.data(), bytes.size(), model));
  return model;
}

// Each parse starts from the loaded quad: a refused resource must leave it alone.
struct GpdParser : ::testing::Test {
  GpdModel model = LoadedQuad();
  const uint16_t* indices = model.indices.get();
  const GpdVertex* vertices = model.vertices.get();
  void ExpectStillTheQuad() const {
    EXPECT_EQ(std::tuple(model.vertex_count, model.index_count, model.indices.get(),
                         model.vertices.get(), model.indices[5], model.vertices[3].x),
              std::tuple(4, 6, indices, vertices, uint16_t{3}, 4.0f));
  }
};

}  // namespace

TEST_F(GpdParser, ReadsHandMadeLittleEndianBytes) {
  // One vertex, one face, written out byte by byte rather than by the writer.
  std::vector<uint8_t> bytes(kGpdSignature, kGpdSignature + 28);
  bytes.insert(bytes.end(), {1, 0, 1, 0});            // one vertex, one face
  bytes.insert(bytes.end(), {0x00, 0x00, 0x80, 0x3F,  // x 1.0
                             0x00, 0x00, 0x00, 0xC0,  // y -2.0
                             0x00, 0x00, 0x40, 0x40,  // z 3.0
                             0x00, 0x00, 0x00, 0x3F,  // nx 0.5
                             0x00, 0x00, 0x80, 0x3F,  // ny 1
                             0x00, 0x00, 0x00, 0x00,  // nz 0
                             0xCD, 0xCC, 0xCC, 0x3D,  // u 0.1
                             0x00, 0x00, 0x80, 0x3E,  // v 0.25
                             0,    0,    0,    0,    0x80, 0x80, 0x80, 0x00});
  bytes.insert(bytes.end(), 8, 0);  // the face: vertex 0 three times
  ASSERT_EQ(GpdStatus::kOk, ParseGpdModel(bytes.data(), bytes.size(), model));
  ASSERT_EQ(1, model.vertex_count);
  ASSERT_EQ(3, model.index_count);
  const GpdVertex& v = model.vertices[0];
  const std::vector<float> read = {v.x, v.y, v.z, v.nx, v.ny, v.nz, v.u, v.v};
  EXPECT_EQ(read, (std::vector<float>{1.0f, -2.0f, 3.0f, 0.5f, 1.0f, 0.0f, 0.1f, 0.25f}));
}

TEST_F(GpdParser, EveryAlteredSignatureByteIsRefused) {
  const std::vector<uint8_t> good = QuadBytes();
  for (size_t i = 0; i < kGpdSignatureBytes; ++i) {
    // A byte xor itself is a NUL, which a string compare would stop at.
    for (uint8_t flip : {uint8_t{0x01}, uint8_t{0x20}, uint8_t{0x80}, good[i]}) {
      std::vector<uint8_t> bytes = good;
      bytes[i] ^= flip;
      EXPECT_EQ(GpdStatus::kBadSignature, ParseGpdModel(bytes.data(), bytes.size(), model))
          << "byte " << i << " xor " << int(flip);
    }
  }
  ExpectStillTheQuad();
}

TEST_F(GpdParser, SizeMustMatchTheCountsExactly) {
  const std::vector<uint8_t> good = QuadBytes();
  EXPECT_EQ(GpdStatus::kTruncated, ParseGpdModel(good.data(), good.size() - 1, model));
  EXPECT_NE(GpdStatus::kOk, ParseGpdModel(good.data(), 31, model));

  std::vector<uint8_t> longer = good;
  longer.push_back(0);
  EXPECT_EQ(GpdStatus::kTrailingBytes, ParseGpdModel(longer.data(), longer.size(), model));

  // A face count that promises more than is there.
  std::vector<uint8_t> boasting = good;
  PutU16(boasting, kGpdFaceCountOffset, 3);
  EXPECT_EQ(GpdStatus::kTruncated, ParseGpdModel(boasting.data(), boasting.size(), model));

  ExpectStillTheQuad();
}

TEST_F(GpdParser, FaceIndexMustNameAnExistingVertex) {
  const size_t faces = GpdResourceBytes(4, 0);
  // The first and last index word, at the first value out of range and at the top.
  for (size_t word : {0u, 6u}) {
    for (uint16_t bad : {uint16_t{4}, uint16_t{0xFFFF}}) {
      std::vector<uint8_t> bytes = QuadBytes();
      PutU16(bytes, faces + 2 * word, bad);
      EXPECT_EQ(GpdStatus::kIndexOutOfRange, ParseGpdModel(bytes.data(), bytes.size(), model))
          << "word " << word << " = " << bad;
    }
  }
  ExpectStillTheQuad();
  // The writer refuses what the reader would.
  std::vector<uint8_t> bytes;
  EXPECT_FALSE(WriteGpdBytes({Vertex(1), Vertex(2)}, {{0, 1, 2, 0}}, bytes));
  EXPECT_FALSE(WriteGpdBytes(std::vector<GpdFileVertex>(0x10000), {}, bytes)) << "a 16-bit count";
  // 21845 faces are 65535 indices, the most a 16-bit count holds; the writer's high bytes too.
  std::vector<GpdFileVertex> many(300, Vertex(1));
  ASSERT_TRUE(WriteGpdBytes(many, std::vector<GpdFileFace>(21845, {0, 1, 299, 0}), bytes));
  ASSERT_EQ(GpdStatus::kOk, ParseGpdModel(bytes.data(), bytes.size(), model));
  EXPECT_EQ(model.vertex_count, 300);
  EXPECT_EQ(model.indices[65534], 299);
  ReleaseGpdModel(model);
  EXPECT_EQ(model.index_count, 0);
  EXPECT_EQ(model.vertex_count, 0);
}

TEST(GpdTriangleList, EachIndexBecomesItsVertexInOrder) {
  // Faces (0, 1, 2) and (2, 1, 3) of the quad: vertex i has x = i + 1.
  const GpdModel model = LoadedQuad();
  GpdVertex list[6];
  CopyTriangleListVertices(model, list);
  std::vector<float> xs;
  for (const GpdVertex& v : list) xs.push_back(v.x);
  EXPECT_EQ(xs, (std::vector<float>{1.0f, 2.0f, 3.0f, 3.0f, 2.0f, 4.0f}));
  EXPECT_EQ(1.0f, list[5].ny);
}
