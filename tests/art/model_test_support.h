// Shared by the race mesh tests: the committed models read through the game's own parser, and
// the figures every model is held to.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gfx3d/gpd_model.h"

namespace model_test {

struct Range {
  float lo, hi;
  bool Holds(float value, float slack = 1e-4f) const {
    return value >= lo - slack && value <= hi + slack;
  }
};

struct TexCell {
  const char* what;
  Range u, v;
  bool Holds(float tu, float tv) const { return u.Holds(tu, 0) && v.Holds(tv, 0); }
};

// The cells of the road textures and the signal texture that the models may address.
const TexCell kRoadBand{"asphalt band", {0.0f, 1.0f}, {0.0f, 0.376f}};
const TexCell kKerb{"kerb stripes", {0.0f, 0.063f}, {0.753f, 1.0f}};
const TexCell kGrass{"grass", {0.125f, 0.188f}, {0.878f, 1.0f}};
const TexCell kWall{"wall", {0.251f, 0.314f}, {0.878f, 1.0f}};
const TexCell kNamePlate{"name plate", {0.376f, 0.753f}, {0.878f, 1.0f}};
const TexCell kDarkSquare{"dark square", {0.816f, 0.878f}, {0.878f, 0.941f}};
const TexCell kAmberUnlit{"amber unlit", {0.0f, 0.125f}, {0.0f, 0.125f}};
const TexCell kAmberLit{"amber lit", {0.0f, 0.125f}, {0.188f, 0.314f}};
const TexCell kGreenUnlit{"green unlit", {0.188f, 0.314f}, {0.0f, 0.125f}};
const TexCell kGreenLit{"green lit", {0.188f, 0.314f}, {0.188f, 0.314f}};
const TexCell kRedUnlit{"red unlit", {0.376f, 0.502f}, {0.0f, 0.125f}};
const TexCell kRedLit{"red lit", {0.376f, 0.502f}, {0.188f, 0.314f}};
const TexCell kGrey{"grey", {0.565f, 0.69f}, {0.0f, 0.125f}};

struct ModelSpec {
  const char* name;
  Range x, y, z;
  std::vector<TexCell> cells;
};

// The eleven models in the order the race loads them, with their extents in model units. The
// lamp lenses are 0.04 high either way, not 0.06: the race's 1.75 aspect shows them round.
inline std::vector<ModelSpec> ModelSpecs() {
  return {
      {"course", {-8.3f, 8.3f}, {-1.72f, 1.72f}, {-10.0f, 10.0f}, {kRoadBand, kKerb, kGrass, kWall}},
      {"pool", {-9.55f, 9.55f}, {0.0f, 6.55f}, {-0.15f, 0.0f}, {kDarkSquare}},
      {"board", {-1.5f, 1.5f}, {3.95f, 6.25f}, {0.0f, 0.0f}, {kNamePlate, kDarkSquare}},
      {"sig_box", {-0.08f, 0.08f}, {-0.08f, 0.08f}, {-0.08f, 0.08f}, {kGrey}},
      {"sig0", {-0.06f, 0.06f}, {-0.04f, 0.04f}, {-0.1f, -0.08f}, {kAmberUnlit}},
      {"sig1", {-0.06f, 0.06f}, {-0.04f, 0.04f}, {-0.1f, -0.08f}, {kAmberLit}},
      {"sig2", {-0.06f, 0.06f}, {-0.04f, 0.04f}, {-0.1f, -0.08f}, {kGreenUnlit}},
      {"sig3", {-0.06f, 0.06f}, {-0.04f, 0.04f}, {-0.1f, -0.08f}, {kGreenLit}},
      {"sig4", {-0.06f, 0.06f}, {-0.04f, 0.04f}, {-0.1f, -0.08f}, {kRedUnlit}},
      {"sig5", {-0.06f, 0.06f}, {-0.04f, 0.04f}, {-0.1f, -0.08f}, {kRedLit}},
      {"sigpool", {-0.52f, 0.52f}, {-0.03f, 1.07f}, {-0.03f, 0.0f}, {kGrey}},
  };
}

inline std::string ModelPath(const std::string& name) {
  return std::string(VORTA_SOURCE_DIR) + "/resources/models/" + name + ".gpd";
}

// The bytes of a committed model; empty when the file is missing.
inline std::vector<uint8_t> ReadModelBytes(const std::string& name) {
  std::ifstream file(ModelPath(name), std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The committed model as the game loads it; false when it is missing or the parser refuses it.
inline bool LoadModel(const std::string& name, GpdModel& model) {
  const std::vector<uint8_t> bytes = ReadModelBytes(name);
  return !bytes.empty() && ParseGpdModel(bytes.data(), bytes.size(), model) == GpdStatus::kOk;
}

}  // namespace model_test
