// The committed race meshes: accepted by the game's parser, inside the limits and extents the
// race is built around, with unit normals that agree with the winding, and texture
// coordinates that stay inside the cells each model is meant to show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "gfx3d/gpd_format.h"
#include "model_test_support.h"

namespace {

using model_test::LoadModel;
using model_test::ModelSpec;
using model_test::ModelSpecs;

struct P {
  double x, y, z;
};
P Pos(const GpdVertex& v) { return {v.x, v.y, v.z}; }
P Sub(P a, P b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
P Cross(P a, P b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double Dot(P a, P b) { return a.x * b.x + a.y * b.y + a.z * b.z; }


TEST(RaceModels, GameParserAcceptsEveryModelWithinTheDrawLimits) {
  for (const ModelSpec& wanted : ModelSpecs()) {
    SCOPED_TRACE(wanted.name);
    GpdModel model;
    ASSERT_TRUE(LoadModel(wanted.name, model)) << "missing or refused: " << model_test::ModelPath(wanted.name);
    EXPECT_GT(model.index_count, 0);
    EXPECT_EQ(model.index_count % 3, 0);
    EXPECT_LE(model.vertex_count, 288);
    EXPECT_LE(model.index_count / 3, 96);
  }
}

TEST(RaceModels, BoundingBoxIsTheModelsExtents) {
  for (const ModelSpec& wanted : ModelSpecs()) {
    SCOPED_TRACE(wanted.name);
    GpdModel model;
    ASSERT_TRUE(LoadModel(wanted.name, model));
    ASSERT_GT(model.vertex_count, 0);
    const GpdVertex& first = model.vertices[0];
    model_test::Range x{first.x, first.x}, y{first.y, first.y}, z{first.z, first.z};
    for (size_t i = 0; i < model.vertex_count; ++i) {
      const GpdVertex& v = model.vertices[i];
      for (auto [range, value] : {std::pair{&x, v.x}, {&y, v.y}, {&z, v.z}}) {
        range->lo = std::min(range->lo, value);
        range->hi = std::max(range->hi, value);
      }
    }
    const std::pair<model_test::Range, model_test::Range> axes[] = {{x, wanted.x}, {y, wanted.y}, {z, wanted.z}};
    for (int axis = 0; axis < 3; ++axis) {
      EXPECT_NEAR(axes[axis].first.lo, axes[axis].second.lo, 1e-4) << "axis " << "xyz"[axis];
      EXPECT_NEAR(axes[axis].first.hi, axes[axis].second.hi, 1e-4) << "axis " << "xyz"[axis];
    }
  }
}

TEST(RaceModels, NormalsAreUnitAndOnTheSideTheWindingShows) {
  for (const ModelSpec& wanted : ModelSpecs()) {
    SCOPED_TRACE(wanted.name);
    GpdModel model;
    ASSERT_TRUE(LoadModel(wanted.name, model));
    for (size_t i = 0; i < model.vertex_count; ++i) {
      const GpdVertex& v = model.vertices[i];
      EXPECT_NEAR(std::sqrt(double(v.nx) * v.nx + double(v.ny) * v.ny + double(v.nz) * v.nz), 1.0, 1e-4)
          << "vertex " << i;
    }
    // The device culls counter-clockwise triangles; a triangle is clockwise from the side
    // cross(b - a, c - a) points to, and that must be the side its normals light.
    for (size_t t = 0; t < model.index_count; t += 3) {
      const GpdVertex &a = model.vertices[model.indices[t]], &b = model.vertices[model.indices[t + 1]],
                      &c = model.vertices[model.indices[t + 2]];
      const P winding = Cross(Sub(Pos(b), Pos(a)), Sub(Pos(c), Pos(a)));
      const double area = std::sqrt(Dot(winding, winding)) / 2;
      EXPECT_GT(area, 1e-7) << "degenerate triangle " << t / 3;
      for (const GpdVertex* v : {&a, &b, &c}) {
        EXPECT_GT(Dot(winding, P{v->nx, v->ny, v->nz}), 0) << "triangle " << t / 3 << " lit from behind";
      }
    }
  }
}

TEST(RaceModels, TrianglesStayInsideOneOfTheirModelsTextureCells) {
  for (const ModelSpec& wanted : ModelSpecs()) {
    SCOPED_TRACE(wanted.name);
    GpdModel model;
    ASSERT_TRUE(LoadModel(wanted.name, model));
    for (size_t t = 0; t < model.index_count; t += 3) {
      // All three corners in the same cell, or the triangle would smear across the sheet.
      bool inside = false;
      for (const model_test::TexCell& cell : wanted.cells) {
        bool all = true;
        for (int k = 0; k < 3; ++k) {
          const GpdVertex& v = model.vertices[model.indices[t + k]];
          all = all && cell.Holds(v.u, v.v);
        }
        inside = inside || all;
      }
      const GpdVertex& v = model.vertices[model.indices[t]];
      EXPECT_TRUE(inside) << "triangle " << t / 3 << " starts at uv (" << v.u << ", " << v.v << ")";
    }
  }
}

}  // namespace
