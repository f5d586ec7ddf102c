// Writes the eleven race meshes and the ghost's car as "models/<name>.gpd".
#include "tools/art/common/art_common.h"
#include "tools/art/models/race_models.h"

namespace {

void GenerateModels(const ArtContext& context) {
  std::vector<art_models::Mesh> meshes = art_models::BuildRaceModels();
  meshes.push_back(art_models::BuildGhostCar());
  for (const art_models::Mesh& mesh : meshes) {
    ArtCheck(WriteFileBytes(context.ModelPath(mesh.name), art_models::EncodeMesh(mesh)),
             "cannot write model " + mesh.name);
  }
}

}  // namespace

static ArtRegistration registration("models", &GenerateModels);
