// Previews of the race meshes as the driver sees them: the models just written, read back
// through the game's own parser, placed and textured the way the race draws its road, gantries
// and start signal, over the race background when it has been drawn.
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "gfx3d/geometry.h"
#include "gfx3d/gpd_model.h"
#include "tools/art/common/art_common.h"
#include "tools/art/models/preview_raster.h"
#include "tools/art/models/race_models.h"

namespace art_models {
namespace {

constexpr int kScreenWidth = 640, kScreenHeight = 480;  // pixels
constexpr int kBackgroundRows = 352;                    // the race blits "Back" over these
constexpr float kEyeY = -0.5f;                          // metres
constexpr float kLookAhead = 10.0f;                     // metres
constexpr float kSegmentLength = 20.0f;                 // metres
constexpr int kSegmentsAhead = 10;

// Lamp model of each of the five lamps, per signal row (the race's SignalLamps table).
constexpr int kSignalLamps[6][5] = {{0, 0, 0, 2, 4}, {1, 0, 0, 2, 4}, {1, 1, 0, 2, 4},
                                    {1, 1, 1, 2, 4}, {1, 1, 1, 3, 4}, {0, 0, 0, 2, 5}};

enum ModelSlot { kCourse, kPool, kBoard, kSigBox, kSig0, kSigPool = kSig0 + 6, kModelCount };
const char* const kModelNames[kModelCount] = {"course", "pool", "board", "sig_box", "sig0", "sig1",
                                              "sig2",   "sig3", "sig4",  "sig5",    "sigpool"};

struct Textures {
  PreviewTexture way, way2, sig;
};

// One moment of a race to picture.
struct Shot {
  const char* name;
  float distance;        // metres from the start line (the eye's z)
  int signal_row;        // row of the lamp table
  float signal_height;   // world y of the signal: 2.0 at the start of the opening move, 1.0 after
  float course_length;   // metres
  int zoom;              // >1 writes the top of the picture enlarged (the signal close up)
};

const Shot kShots[] = {
    {"race_start", 0.0f, 0, kSignalY, 400.0f, 1},
    {"race_start_signal_zoom", 0.0f, 0, kSignalY, 400.0f, 3},
    {"race_opening_move", 0.0f, 0, 1.5f, 400.0f, 1},
    {"race_signal_go", 0.0f, 4, kSignalY, 400.0f, 1},
    {"race_signal_go_zoom", 0.0f, 4, kSignalY, 400.0f, 3},
    {"race_false_start_zoom", 0.0f, 5, kSignalY, 400.0f, 3},
    {"race_90m", 90.0f, 0, kSignalY, 400.0f, 1},
    {"race_196m", 196.0f, 0, kSignalY, 400.0f, 1},
    {"race_finish_line", 385.0f, 0, kSignalY, 400.0f, 1},
};

// False when a model has not been written (a run of other jobs only into a fresh folder).
// One that is there but that the game would refuse stops the run.
bool LoadModels(const ArtContext& context, GpdModel (&models)[kModelCount]) {
  for (int slot = 0; slot < kModelCount; ++slot) {
    std::vector<uint8_t> bytes;
    const std::string path = context.ModelPath(kModelNames[slot]);
    if (!std::filesystem::exists(path)) return false;
    ArtCheck(ReadFileBytes(path, &bytes), "race views: cannot read " + path);
    ArtCheck(ParseGpdModel(bytes.data(), bytes.size(), models[slot]) == GpdStatus::kOk,
             "race views: the game refuses " + path);
  }
  return true;
}

// Without the drawn texture the preview still shows every cell, each in a flat colour.
PreviewTexture FlatRoadTexture() {
  IndexedBitmap bitmap;
  bitmap.width = bitmap.height = 256;
  bitmap.palette = {{0, 0, 0},     {96, 96, 100},   {200, 30, 30},  {60, 140, 50},
                    {150, 150, 140}, {240, 200, 40}, {40, 40, 48}};
  bitmap.pixels.assign(256 * 256, 0);
  auto fill = [&](int l, int t, int r, int b, uint8_t index) {
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) bitmap.pixels[size_t(y) * 256 + x] = index;
  };
  fill(0, 0, 256, 96, 1);
  fill(0, 192, 16, 256, 2);
  fill(32, 224, 48, 256, 3);
  fill(64, 224, 80, 256, 4);
  fill(96, 224, 192, 256, 5);
  fill(208, 224, 224, 240, 6);
  return MakePreviewTexture(bitmap);
}

PreviewTexture FlatSignalTexture() {
  IndexedBitmap bitmap;
  bitmap.width = bitmap.height = 256;
  bitmap.palette = {{0, 0, 0},     {110, 70, 0},  {0, 80, 20},    {90, 10, 10},
                    {120, 120, 120}, {255, 190, 40}, {60, 255, 90}, {255, 50, 40}};
  bitmap.pixels.assign(256 * 256, 0);
  for (int cell = 0; cell < 4; ++cell) {
    for (int row = 0; row < (cell < 3 ? 2 : 1); ++row) {
      for (int y = 48 * row; y < 48 * row + 32; ++y)
        for (int x = 48 * cell; x < 48 * cell + 32; ++x)
          bitmap.pixels[size_t(y) * 256 + x] = uint8_t(cell == 3 ? 4 : 1 + cell + 4 * row);
    }
  }
  return MakePreviewTexture(bitmap);
}

PreviewTexture LoadTexture(const ArtContext& context, const char* name, PreviewTexture fallback) {
  IndexedBitmap bitmap;
  std::string error;
  const std::string path = context.TexturePath(name);
  if (std::filesystem::exists(path) && ReadBmp8(path, &bitmap, &error)) return MakePreviewTexture(bitmap);
  std::fprintf(stderr, "artgen: race views show %s in flat colours\n", name);
  return fallback;
}

void DrawShot(PreviewRaster& raster, const GpdModel (&models)[kModelCount], const Textures& textures,
              const IndexedBitmap* background, const Shot& shot) {
  raster.Clear();
  D3DMATRIX view, projection;
  SetViewMatrix(view, MakeVector(0, kEyeY, shot.distance),
                MakeVector(0, kEyeY, shot.distance + kLookAhead), MakeVector(0, 1, 0));
  SetProjectionMatrix(projection, 2.65f, 1.75f, 0.05f, 250.0f);
  raster.SetView(view);
  raster.SetProjection(projection);
  if (background) raster.BlitOpaque(*background, kBackgroundRows);

  // The road, far to near; a gantry stands at every 100 m and borrows whatever texture the
  // segment beyond it left bound.
  const PreviewTexture* bound = nullptr;
  const int first = int(shot.distance * 0.05f);
  for (int i = first + kSegmentsAhead; i >= first; --i) {
    D3DMATRIX world;
    if (i * 20 % 100 == 0) {
      SetTranslationMatrix(world, 0, 0, i * kSegmentLength);
      raster.DrawModel(models[kBoard], world, bound);
      raster.DrawModel(models[kPool], world, bound);
    }
    SetTranslationMatrix(world, 0, 0, i * kSegmentLength + kSegmentLength / 2);
    const bool line = i * 20 == 0 || i * 20 == int(shot.course_length);
    bound = line ? &textures.way2 : &textures.way;
    raster.DrawModel(models[kCourse], world, bound);
  }

  if (shot.distance < 1.0f) {
    D3DMATRIX tilt, translation, world;
    SetRotateXMatrix(tilt, kSignalTilt);
    for (int k = 0; k < 5; ++k) {
      const float x = k * 0.2f - 0.4f;
      const int lamp = kSignalLamps[shot.signal_row][k];
      SetTranslationMatrix(translation, x, shot.signal_height, kSignalZ);
      MultiplyMatrix(world, translation, tilt);
      raster.DrawModel(models[kSigBox], world, &textures.sig);
      raster.DrawModel(models[kSig0 + lamp], world, &textures.sig);
    }
    SetTranslationMatrix(world, 0, shot.signal_height, kSignalZ);
    raster.DrawModel(models[kSigPool], world, &textures.sig);
  }
}

void GenerateModelPreviews(const ArtContext& context) {
  GpdModel models[kModelCount];
  if (!LoadModels(context, models)) {
    std::fprintf(stderr, "artgen: race views skipped, the models are not all there\n");
    return;
  }
  Textures textures{LoadTexture(context, "TEX_WAY", FlatRoadTexture()),
                    LoadTexture(context, "TEX_WAY2", FlatRoadTexture()),
                    LoadTexture(context, "TEX_SIG", FlatSignalTexture())};
  IndexedBitmap back;
  std::string error;
  const bool have_back = std::filesystem::exists(context.BitmapPath("BACK")) &&
                         ReadBmp8(context.BitmapPath("BACK"), &back, &error);

  PreviewRaster raster(kScreenWidth, kScreenHeight);
  for (const Shot& shot : kShots) {
    DrawShot(raster, models, textures, have_back ? &back : nullptr, shot);
    // A close-up keeps the signal's corner of the picture: the middle half, top 100 rows.
    const bool close = shot.zoom > 1;
    ArtCheck(raster.WritePng(context.PreviewPath(shot.name), shot.zoom, close ? kScreenWidth / 4 : 0,
                             0, close ? kScreenWidth / 2 : kScreenWidth, close ? 100 : kScreenHeight),
             std::string("cannot write preview ") + shot.name);
  }
}

// The ghost's car on its own, through an ordinary lens, from behind on the right and from the
// side: the shape the race shows small and stretched.
void GenerateGhostCarPreview(const ArtContext& context) {
  std::vector<uint8_t> bytes;
  GpdModel car;
  const std::string path = context.ModelPath("ghost");
  if (!std::filesystem::exists(path)) return;
  ArtCheck(ReadFileBytes(path, &bytes) &&
               ParseGpdModel(bytes.data(), bytes.size(), car) == GpdStatus::kOk,
           "ghost car preview: the game refuses " + path);
  const D3DVECTOR eyes[2] = {MakeVector(3.5f, 1.2f, -7.0f), MakeVector(7.5f, 0.0f, -0.3f)};
  PreviewRaster raster(320, 200);
  for (int view = 0; view < 2; ++view) {
    raster.Clear();
    D3DMATRIX camera, projection, world;
    SetViewMatrix(camera, eyes[view], MakeVector(0, -1.1f, -0.3f), MakeVector(0, 1, 0));
    SetProjectionMatrix(projection, 0.7f, 1.0f, 0.5f, 50.0f);
    raster.SetView(camera);
    raster.SetProjection(projection);
    SetIdentityMatrix(world);
    raster.DrawModel(car, world, nullptr);
    ArtCheck(raster.WritePng(context.PreviewPath(view == 0 ? "ghost_car_rear" : "ghost_car_side"),
                             2, 0, 0, 320, 200),
             "cannot write the ghost car preview");
  }
}

}  // namespace
}  // namespace art_models

static ArtPreviewRegistration ghost_registration("GHOST_CAR", &art_models::GenerateGhostCarPreview);

// Runs after every job, so it pictures the models and textures as written.
static ArtPreviewRegistration registration("RACE_VIEWS", &art_models::GenerateModelPreviews);
