// The race on the game's own display under Wine: what DrawRaceScene leaves in the back buffer,
// the loading and release of the race's resources, and F2 in mid-race.
#include <cmath>
#include <cstring>

#include "app/frame_timer.h"
#include "app/frame_timer_win32.h"
#include "app/scene_state.h"
#include "app/settings.h"
#include "data/car_data_loader.h"
#include "data/car_table.h"
#include "display_test_support.h"
#include "gfx3d/texture_d3d.h"
#include "race/race_drawing_d3d.h"
#include "race/race_instruments.h"
#include "race/race_setup_win32.h"
#include "race/race_view_d3d.h"

namespace {
using namespace display_test;

class RaceDrawingTest : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    ASSERT_TRUE(ReadCounterFrequency() && InitTimer(1000));
    ASSERT_TRUE(CreateDisplay(hwnd_, 640, 480, 1, 0));
    FillTachoScale();
    ASSERT_TRUE(LoadCarData());
    current_car = car_table[0];
    race_mode = 0;
    speedometer_style = 0;
    scene_state = SCENE_RACE_ENTER;
    EnterRace();
    ASSERT_EQ(SCENE_RACE_RESET, scene_state);
    SetRaceStartValues(race_state);
    for (D3DVECTOR& p : race_state.signal_positions) p.y = 1.0f;  // the opening move is over
    ApplyRaceView();
    scene_state = SCENE_RACE;
  }
  void TearDown() override {
    ReleaseSceneSurfaces();
    ReleaseCarData();
    DisplayTest::TearDown();
  }
  Pixels Draw() {
    DrawRaceScene();
    return ReadPixels(display_context.back_buffer);
  }
};

// Whether the non-black pixels of a picture cell show at its place in the frame (a needle
// may cross a few of them).
bool Shows(const Pixels& frame, IDirectDrawSurface4* picture, const InstrumentBlit& cell) {
  const Pixels art = ReadPixels(picture);
  int opaque = 0, shown = 0;
  for (int y = 0; y < cell.source.Height(); ++y) {
    for (int x = 0; x < cell.source.Width(); ++x) {
      const uint32_t texel = art.At(cell.source.left + x, cell.source.top + y);
      if (texel == 0) continue;
      ++opaque;
      shown += frame.At(cell.destination.left + x, cell.destination.top + y) == texel;
    }
  }
  return opaque > 0 && shown >= opaque * 95 / 100;
}

// How bright the pixel's red and green are, 0..1.
void Split(uint32_t pixel, double& red, double& green) {
  const DDPIXELFORMAT f = FormatOf(display_context.back_buffer);
  red = static_cast<double>(pixel & f.dwRBitMask) / f.dwRBitMask;
  green = static_cast<double>(pixel & f.dwGBitMask) / f.dwGBitMask;
}

// Pixels that differ between two frames and turned bright green (or bright red).
int TurnedTo(const Pixels& before, const Pixels& after, bool green) {
  int count = 0;
  for (size_t i = 0; i < before.values.size(); ++i) {
    double r = 0, g = 0;
    Split(after.values[i], r, g);
    count += before.values[i] != after.values[i] && (green ? g > 0.7 && r < 0.5 : r > 0.7 && g < 0.5);
  }
  return count;
}

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

// Models holding arrays and a vertex buffer, textures of the current device and pictures:
// 11 + 3 + 7 when whole.
int ResourcesHeld() {
  int held = 0;
  for (const DeviceModel* m : {&course_model, &pool_model, &board_model, &sig_box_model,
                               &sig_models[0], &sig_models[1], &sig_models[2], &sig_models[3],
                               &sig_models[4], &sig_models[5], &sigpool_model}) {
    held += m->mesh.vertices != nullptr && m->mesh.indices != nullptr &&
            m->vertex_buffer != nullptr;
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

TEST_F(RaceDrawingTest, NeedleSignalDigitsAndBanners) {
  RaceState& race = race_state;
  // Half the scale points the needle at 70 degrees: its shaft is red, the opposite side not.
  race.engine_rpm = TachoScaleFor(current_car).rev_limit / 2.0f;
  race.speed = 123.45;
  race.signal_step = 4;
  const Pixels countdown = Draw();
  auto redAt = [&](double degrees, double radius) {
    const double a = degrees * 0.017453292519943295;
    double red = 0, green = 0;
    Split(countdown.At(static_cast<int>(std::lround(498 - radius * std::cos(a))),
                       static_cast<int>(std::lround(178 - radius * std::sin(a)))), red, green);
    return red > 0.9 && green < 0.1;
  };
  EXPECT_TRUE(redAt(70, 100));
  EXPECT_FALSE(redAt(250, 60)) << "nothing red where the needle is not";

  InstrumentBlit digits[kSpeedDigits];
  SpeedDigits(race.speed, digits);
  for (const InstrumentBlit& cell : digits) EXPECT_TRUE(Shows(countdown, lpDDSFont, cell));
  SpeedDigits(567.8, digits);
  EXPECT_FALSE(Shows(countdown, lpDDSFont, digits[2]));

  // The go lamp lights green; a false start turns it out and lights the red one.
  race.signal_step = 5;
  const Pixels go = Draw();
  EXPECT_GT(TurnedTo(countdown, go, true), 20);
  EXPECT_EQ(0, TurnedTo(countdown, go, false));
  race.signal_step = 6;
  const Pixels falseStart = Draw();
  EXPECT_GT(TurnedTo(go, falseStart, false), 20);
  EXPECT_EQ(0, TurnedTo(go, falseStart, true));

  // Finished with a place: the banner, and the length of the clock's course in any race mode.
  race.finished = true;
  race.time_rank = 2;
  race_mode = 2;
  const Pixels finished = Draw();
  EXPECT_TRUE(Shows(finished, lpDDSFont, RecordBanner()));
  InstrumentBlit distance[kDistanceDigits];
  DistanceDigits(400, distance);
  for (const InstrumentBlit& cell : distance) EXPECT_TRUE(Shows(finished, lpDDSFont, cell));
}

TEST_F(RaceDrawingTest, EnteringAgainLeaksNothingAndF2BringsEverythingBack) {
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

}  // namespace
