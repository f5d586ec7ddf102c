// Scene resources on the game's own display under Wine: the race's loaded and released whole,
// and the race and the car select graph carried across a display rebuild (F2). What the
// scenes draw is guarded by the golden pictures.
#include <cstring>
#include <vector>

#include "app/frame_timer.h"
#include "app/frame_timer_win32.h"
#include "app/scene_state.h"
#include "app/settings.h"
#include "data/car_data_loader.h"
#include "data/car_table.h"
#include "display_test_support.h"
#include "gfx3d/texture_d3d.h"
#include "race/race_setup_win32.h"
#include "race/race_state.h"
#include "race/race_view_d3d.h"
#include "screens/car_select.h"
#include "screens/car_select_win32.h"

namespace {
using namespace display_test;

class RaceSetupTest : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    ASSERT_TRUE(ReadCounterFrequency() && InitTimer(1000));
    ASSERT_TRUE(CreateDisplay(hwnd_, 640, 480, 1, 0));
    race_mode = 0;
    scene_state = SCENE_RACE_ENTER;
    EnterRace();
    ASSERT_EQ(SCENE_RACE_RESET, scene_state);
    SetRaceStartValues(race_state);
    ApplyRaceView();
    scene_state = SCENE_RACE;
  }
  void TearDown() override {
    ReleaseSceneSurfaces();
    DisplayTest::TearDown();
  }
};

int SurfacesAlive() {
  int count = 0;
  DDSURFACEDESC2 any = {};
  any.dwSize = sizeof any;
  display_context.direct_draw->EnumSurfaces(
      DDENUMSURFACES_ALL | DDENUMSURFACES_DOESEXIST, &any, &count,
      [](IDirectDrawSurface4* surface, DDSURFACEDESC2*, void* context) -> HRESULT {
        ++*static_cast<int*>(context);
        surface->Release();
        return DDENUMRET_OK;
      });
  return count;
}

// Models holding arrays, textures of the current device and pictures: 11 + 3 + 7 when whole.
int ResourcesHeld() {
  int held = 0;
  for (const GpdModel* m : {&course_model, &pool_model, &board_model, &sig_box_model,
                            &sig_models[0], &sig_models[1], &sig_models[2], &sig_models[3],
                            &sig_models[4], &sig_models[5], &sigpool_model}) {
    held += m->vertices != nullptr && m->indices != nullptr;
  }
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

TEST_F(RaceSetupTest, EnteringAgainLeaksNothingAndF2BringsEverythingBack) {
  ASSERT_EQ(21, ResourcesHeld());
  const int surfaces = SurfacesAlive();
  EXPECT_GE(surfaces, 3 + 3 + 8);  // display, textures, pictures and fonts
  for (int i = 0; i < 3; ++i) {
    EnterRace();
    EXPECT_EQ(surfaces, SurfacesAlive());
    EXPECT_EQ(21, ResourcesHeld());
  }
  ReleaseSceneSurfaces();
  EXPECT_EQ(0, ResourcesHeld());

  scene_state = SCENE_RACE;
  race_state.distance = 123.5f;
  race_state.camera_eye.z = race_state.distance;
  race_state.camera_at.z = race_state.distance + 10.0f;
  race_state.signal_step = 5;
  ApplyRaceView();
  const RaceState before = race_state;
  ASSERT_TRUE(RebuildDisplay(1));
  EXPECT_EQ(SCENE_RACE, scene_state);
  EXPECT_EQ(21, ResourcesHeld());
  EXPECT_EQ(0, std::memcmp(&before, &race_state, sizeof before)) << "the same run goes on";
  D3DMATRIX view = {};
  display_context.device->GetTransform(D3DTRANSFORMSTATE_VIEW, &view);
  EXPECT_FLOAT_EQ(-123.5f, view._43);
  DWORD depthTest = 0;
  display_context.device->GetRenderState(D3DRENDERSTATE_ZENABLE, &depthTest);
  EXPECT_EQ(static_cast<DWORD>(TRUE), depthTest);
}

class CarSelectGraph : public WindowedSceneTest {
 protected:
  void TearDown() override {
    ReleaseCarData();
    WindowedSceneTest::TearDown();
  }
  // Frames of the screen for record 4 from a fresh graph: 27 draw the whole of it.
  std::vector<uint32_t> GraphAfter(int frames, int rebuildAfter) {
    car_select_state.graph_rpm_limit = 1000;
    car_select_state.graph_car_id = -1;  // as for a new car: the surface is cleared first
    for (int frame = 0; frame < frames; ++frame) {
      if (frame == rebuildAfter) {
        EXPECT_TRUE(RebuildDisplay(1));
        EXPECT_EQ(scene_state, SCENE_CAR_SELECT);
      }
      DrawCarSelect(true);
    }
    return ReadPixels(gm_lpDDSGraph).values;
  }
};

TEST_F(CarSelectGraph, ComesBackWholeAfterARebuild) {
  ASSERT_TRUE(LoadCarData());
  window = hwnd_;
  scene_state = SCENE_CAR_SELECT;
  LoadSmallFont();
  LoadCarSelectArt();
  ASSERT_EQ(scene_state, SCENE_CAR_SELECT);
  current_car = car_table[4];
  const std::vector<uint32_t> whole = GraphAfter(27, -1);
  ASSERT_EQ(whole.size(), 325u * 320u);
  EXPECT_NE(GraphAfter(9, -1), whole) << "nine frames draw part of it";
  // The first frame after the rebuild draws everything up to its limit at once.
  EXPECT_EQ(GraphAfter(10, 9), GraphAfter(10, -1));
  EXPECT_EQ(GraphAfter(27, 9), whole);
}

}  // namespace
