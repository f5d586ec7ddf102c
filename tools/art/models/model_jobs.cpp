// Writes the eleven race meshes as "models/<name>.gpd".
#include "tools/art/common/art_common.h"
#include "tools/art/models/race_models.h"

namespace {

void GenerateModels(const ArtContext& context) {
  for (const art_models::Mesh& mesh : art_models::BuildRaceModels()) {
    ArtCheck(WriteFileBytes(context.ModelPath(mesh.name), art_models::EncodeMesh(mesh)),
             "cannot write model " + mesh.name);
  }
}

}  // namespace

static ArtRegistration registration("models", &GenerateModels);
