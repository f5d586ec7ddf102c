// The race models as the executable carries them, read through FindResourceA and friends.
#include <gtest/gtest.h>

#include "gfx3d/gpd_model.h"

namespace {

const char* const kRaceModels[] = {"course", "pool",  "board", "sig_box", "sig0",   "sig1",
                                   "sig2",   "sig3",  "sig4",  "sig5",    "sigpool"};

void ExpectSoundMesh(const GpdModel& model, const char* name) {
  EXPECT_GT(model.vertex_count, 0) << name;
  EXPECT_GT(model.index_count, 0) << name;
  EXPECT_EQ(0, model.index_count % 3) << name;
  ASSERT_NE(nullptr, model.indices.get()) << name;
  ASSERT_NE(nullptr, model.vertices.get()) << name;
  for (int i = 0; i < model.index_count; ++i) {
    ASSERT_LT(model.indices[i], model.vertex_count) << name << " index " << i;
  }
}

}  // namespace

TEST(GpdResources, EveryRaceModelLoadsWhole) {
  // The size the resource compiler records must be the exact size of the file: the parser
  // refuses a single byte more or less.
  for (const char* name : kRaceModels) {
    GpdModel model;
    ASSERT_EQ(1, LoadGpdModel(model, name)) << name;
    ExpectSoundMesh(model, name);
    ReleaseGpdModel(model);
    EXPECT_EQ(nullptr, model.vertices.get());
  }
  GpdModel lower, upper;
  ASSERT_EQ(1, LoadGpdModel(lower, "course"));
  ASSERT_EQ(1, LoadGpdModel(upper, "COURSE")) << "names ignore case";
  EXPECT_EQ(lower.index_count, upper.index_count);
}

TEST(GpdResources, MissingOrForeignResourceLeavesModelAlone) {
  GpdModel model;
  ASSERT_EQ(1, LoadGpdModel(model, "board"));
  const GpdVertex* vertices = model.vertices.get();
  const uint16_t count = model.vertex_count;
  EXPECT_EQ(0, LoadGpdModel(model, "no_such_model"));
  EXPECT_EQ(vertices, model.vertices.get());
  EXPECT_EQ(count, model.vertex_count);

  GpdModel empty;
  EXPECT_EQ(0, LoadGpdModel(empty, "no_such_model"));
  EXPECT_EQ(0, empty.vertex_count);
  EXPECT_EQ(nullptr, empty.indices.get());
}
