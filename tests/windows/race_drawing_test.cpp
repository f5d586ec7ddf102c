// The race on the game's own display under Wine: what DrawRaceScene leaves in the back buffer,
// the loading and release of the race's resources, their failures, and F2 in mid-race.
#include <cmath>
#include <cstring>

#include "app/frame_timer.h"
#include "app/frame_timer_win32.h"
#include "app/scene_state.h"
#include "app/settings.h"
#include "data/car_data_loader.h"
#include "data/car_table.h"
#include "display_test_support.h"
#include "display/drawing_win32.h"
#include "gfx3d/texture_d3d.h"
#include "race/race_drawing_d3d.h"
#include "race/race_instruments.h"
#include "race/race_setup_win32.h"
#include "race/race_state.h"
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

struct Channels {
  double red, green, blue;  // 0..1
};
Channels Split(uint32_t pixel) {
  const DDPIXELFORMAT f = FormatOf(display_context.back_buffer);
  auto channel = [&](DWORD mask) {
    return mask == 0 ? 0.0 : static_cast<double>(pixel & mask) / static_cast<double>(mask);
  };
  return {channel(f.dwRBitMask), channel(f.dwGBitMask), channel(f.dwBBitMask)};
}

// Pixels that differ between two frames, and how many of them turned to a bright colour.
struct Change {
  int changed = 0, turned_green = 0, turned_red = 0;
};
Change Compare(const Pixels& before, const Pixels& after) {
  Change change;
  for (size_t i = 0; i < before.values.size(); ++i) {
    if (before.values[i] == after.values[i]) continue;
    ++change.changed;
    const Channels c = Split(after.values[i]);
    change.turned_green += c.green > 0.7 && c.red < 0.5;
    change.turned_red += c.red > 0.7 && c.green < 0.5;
  }
  return change;
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

int ModelsHeld() {
  int held = 0;
  for (const GpdModel* m : {&course_model, &pool_model, &board_model, &sig_box_model,
                            &sig_models[0], &sig_models[1], &sig_models[2], &sig_models[3],
                            &sig_models[4], &sig_models[5], &sigpool_model}) {
    held += m->vertices != nullptr && m->indices != nullptr;
  }
  return held;
}

bool AllLoaded() {
  bool textures = true;
  for (const Texture* t : {&tex_sig, &tex_Way, &tex_Way2}) {
    textures = textures && t->texture != nullptr && t->device == display_context.device;
  }
  return textures && ModelsHeld() == 11 && lpDDSMission && lpDDSFont && lpDDSTachometer &&
         lpDDSBack && lpDDSSPEEDMETER && lpDDSFontDFPOP32CREAM && lpDDSFontDFPOP32ORANGE;
}

TEST_F(RaceDrawingTest, NeedleSignalDigitsAndBanners) {
  RaceState& race = race_state;
  // Half the scale points the needle at 70 degrees: its shaft is red, the opposite side not.
  race.engine_rpm = TachoScaleFor(current_car).rev_limit / 2.0f;
  race.speed = 123.45;
  race.signal_step = 4;
  const Pixels countdown = Draw();
  auto at = [&](const Pixels& frame, double degrees, double radius) {
    const double r = degrees * 0.017453292519943295;
    return Split(frame.At(static_cast<int>(std::lround(498 - radius * std::cos(r))),
                          static_cast<int>(std::lround(178 - radius * std::sin(r)))));
  };
  EXPECT_GT(at(countdown, 70, 100).red, 0.9);
  EXPECT_LT(at(countdown, 70, 100).green, 0.1);
  EXPECT_LT(at(countdown, 250, 60).red, 0.9) << "nothing red where the needle is not";

  InstrumentBlit digits[kSpeedDigits];
  SpeedDigits(race.speed, digits);
  for (const InstrumentBlit& cell : digits) EXPECT_TRUE(Shows(countdown, lpDDSFont, cell));
  SpeedDigits(567.8, digits);
  EXPECT_FALSE(Shows(countdown, lpDDSFont, digits[2]));

  // The go lamp lights green; a false start turns it out and lights the red one.
  race.signal_step = 5;
  const Pixels go = Draw();
  const Change lit = Compare(countdown, go);
  EXPECT_GT(lit.turned_green, 20);
  EXPECT_EQ(0, lit.turned_red);
  race.signal_step = 6;
  const Change falseStart = Compare(go, Draw());
  EXPECT_GT(falseStart.turned_red, 20);
  EXPECT_EQ(0, falseStart.turned_green);

  // Finished: the banner is there for a second and gone for half a second.
  race.finished = true;
  race.time_rank = 2;
  bool seenOn = false, seenOff = false;
  for (int frame = 0; frame < 40 && !(seenOn && seenOff); ++frame) {
    const uint32_t before = ReadTimer();
    const Pixels shown = Draw();
    const uint32_t after = ReadTimer();
    if (FinishBannerVisible(true, before) != FinishBannerVisible(true, after)) continue;
    const bool on = FinishBannerVisible(true, before);
    EXPECT_EQ(on, Shows(shown, lpDDSFont, FinishBanner()));
    EXPECT_TRUE(Shows(shown, lpDDSFont, RecordBanner()));
    (on ? seenOn : seenOff) = true;
    Sleep(on ? 250 : 100);
  }
  EXPECT_TRUE(seenOn && seenOff);
}

TEST_F(RaceDrawingTest, EnteringAgainLeaksNothingAndF2BringsEverythingBack) {
  ASSERT_TRUE(AllLoaded());
  const int surfaces = SurfacesAlive();
  EXPECT_GE(surfaces, 3 + 3 + 8);  // display, textures, pictures and fonts
  for (int i = 0; i < 5; ++i) {
    EnterRace();
    EXPECT_EQ(surfaces, SurfacesAlive());
    EXPECT_EQ(11, ModelsHeld());
  }

  scene_state = SCENE_RACE;
  race_state.distance = 123.5f;
  race_state.camera_eye.z = race_state.distance;
  race_state.camera_at.z = race_state.distance + 10.0f;
  race_state.signal_step = 5;
  ApplyRaceView();
  const RaceState before = race_state;
  ASSERT_TRUE(RebuildDisplay(1));
  EXPECT_EQ(SCENE_RACE, scene_state);
  EXPECT_TRUE(AllLoaded());
  EXPECT_EQ(0, std::memcmp(&before, &race_state, sizeof before)) << "the same run goes on";
  D3DMATRIX view = {}, projection = {};
  display_context.device->GetTransform(D3DTRANSFORMSTATE_VIEW, &view);
  display_context.device->GetTransform(D3DTRANSFORMSTATE_PROJECTION, &projection);
  EXPECT_FLOAT_EQ(-123.5f, view._43);
  EXPECT_NEAR(0.25087f, projection._22, 1e-4);
  DWORD depthTest = 0;
  display_context.device->GetRenderState(D3DRENDERSTATE_ZENABLE, &depthTest);
  EXPECT_EQ(static_cast<DWORD>(TRUE), depthTest);
}

TEST_F(RaceDrawingTest, MissingResourcesAreReportedAndOnlyAPictureEndsTheGame) {
  RaceResourceNames names = kRaceResourceNames;
  names.models[0] = "no_such_model";
  names.textures[1] = "no_such_texture";
  names.bitmaps[3] = "no_such_picture";
  ReleaseSceneSurfaces();
  {
    MessageBoxWatcher boxes;
    LoadRaceResources(names);
    EXPECT_EQ(SCENE_EXIT, scene_state);
    ASSERT_EQ(2u, boxes.texts.size()) << "no colour-key message for the missing picture";
    EXPECT_EQ(Wide("テクスチュアの読み込みに失敗しました。"), boxes.texts[0]);
    EXPECT_EQ(L"ERROR", boxes.captions[0]);
    EXPECT_EQ(Wide("背景画像読み込み失敗"), boxes.texts[1]);
    EXPECT_EQ(L"error", boxes.captions[1]);
  }
  EXPECT_EQ(0, course_model.vertex_count);
  EXPECT_EQ(nullptr, tex_Way.texture);
  EXPECT_EQ(nullptr, lpDDSBack);
  EXPECT_NE(nullptr, tex_Way2.texture);
  // Without the road model, the road texture and the background the frame still draws to its
  // last item, the car's name.
  race_state.signal_step = 5;
  const Pixels frame = Draw();
  const InstrumentBlit firstLetter = {GlyphSourceRect(current_car.name[0], 16),
                                      GlyphDestRect(CarNameX(current_car.name), kCarNameY, 0, 16)};
  EXPECT_TRUE(Shows(frame, lpDDSFontDFPOP32CREAM, firstLetter));
}

}  // namespace
