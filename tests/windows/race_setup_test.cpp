// The race's resources on the game's own display under Wine: loaded whole on every entry,
// nothing leaked, all released, and racing itself takes no memory. What the race draws, also
// after a display rebuild (F2), is guarded by the golden pictures.
#include "app/scene_state.h"
#include "app/settings.h"
#include "display_test_support.h"
#include "gfx3d/texture_d3d.h"
#include "race/race_drawing_d3d.h"
#include "race/race_setup_win32.h"
#include "race/race_state.h"
#include "race/race_view_d3d.h"

namespace {
using namespace display_test;

class RaceSetupTest : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    ASSERT_TRUE(CreateDisplay(hwnd_, 640, 480, 1, 0));
    race_mode = 0;
    scene_state = SCENE_RACE_ENTER;
    EnterRace();
    ASSERT_EQ(SCENE_RACE_RESET, scene_state);
  }
  void TearDown() override {
    ReleaseSceneSurfaces();
    DisplayTest::TearDown();
  }
};

// A callback of DirectDraw's own calling convention (__stdcall on 32-bit Windows), which a
// lambda cannot have.
HRESULT WINAPI CountSurface(IDirectDrawSurface4* surface, DDSURFACEDESC2*, void* context) {
  ++*static_cast<int*>(context);
  surface->Release();
  return DDENUMRET_OK;
}

int SurfacesAlive() {
  int count = 0;
  DDSURFACEDESC2 any = {};
  any.dwSize = sizeof any;
  display_context.direct_draw->EnumSurfaces(DDENUMSURFACES_ALL | DDENUMSURFACES_DOESEXIST, &any,
                                            &count, &CountSurface);
  return count;
}

// Models holding arrays and a vertex buffer, needles' vertex buffers, textures of the current
// device and pictures: 11 + 2 + 3 + 7 when whole.
int ResourcesHeld() {
  int held = 0;
  for (const DeviceModel* m : {&course_model, &pool_model, &board_model, &sig_box_model,
                               &sig_models[0], &sig_models[1], &sig_models[2], &sig_models[3],
                               &sig_models[4], &sig_models[5], &sigpool_model}) {
    held += m->mesh.vertices != nullptr && m->mesh.indices != nullptr &&
            m->vertex_buffer != nullptr;
  }
  for (IDirect3DVertexBuffer* needle : needle_vertex_buffers) held += needle != nullptr;
  for (const Texture* t : {&tex_sig, &tex_Way, &tex_Way2}) {
    held += t->texture != nullptr && t->device == display_context.device;
  }
  for (IDirectDrawSurface4* picture : {lpDDSMission, lpDDSFont, lpDDSTachometer, lpDDSBack,
                                       lpDDSSPEEDMETER, lpDDSFontDFPOP32CREAM,
                                       lpDDSFontDFPOP32ORANGE}) {
    held += picture != nullptr;
  }
  return held;
}

TEST_F(RaceSetupTest, EnteringAgainLeaksNothing) {
  ASSERT_EQ(23, ResourcesHeld());
  const int surfaces = SurfacesAlive();
  EXPECT_GE(surfaces, 3 + 3 + 8);  // display, textures, pictures and fonts
  for (int i = 0; i < 3; ++i) {
    EnterRace();
    EXPECT_EQ(surfaces, SurfacesAlive());
    EXPECT_EQ(23, ResourcesHeld());
  }
  ReleaseSceneSurfaces();
  EXPECT_EQ(0, ResourcesHeld());
}

// What the process heap has handed out and not taken back, in bytes.
size_t HeapBytesInUse() {
  HANDLE heap = GetProcessHeap();
  size_t busy = 0;
  PROCESS_HEAP_ENTRY entry = {};
  HeapLock(heap);
  while (HeapWalk(heap, &entry)) {
    if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0) busy += entry.cbData;
  }
  HeapUnlock(heap);
  return busy;
}

// Every frame rewrites both needles. A minute of racing once took 550 kB under Wine, 150
// bytes a frame, never given back.
TEST_F(RaceSetupTest, RaceFramesTakeNoMemory) {
  RaceState& race = race_state;
  SetRaceStartValues(race);
  ApplyRaceView();
  scene_state = SCENE_RACE;
  // The first draws build the driver's state for everything drawn.
  for (int frame = 0; frame < 30; ++frame) DrawRaceScene();
  const size_t before = HeapBytesInUse();
  for (int frame = 0; frame < 600; ++frame) {
    race.engine_rpm = 1000.0f + frame * 10.0f;
    race.speed = frame * 0.3;
    DrawRaceScene();
  }
  const long long growth = static_cast<long long>(HeapBytesInUse()) - before;
  EXPECT_LT(growth, 8 * 1024) << "bytes taken by 600 race frames";
}

}  // namespace
