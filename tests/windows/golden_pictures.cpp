// The game's screens as the player sees them, one state per case: each case sets the state by
// hand, draws it with the game's own drawing code on a windowed display, and writes the back
// buffer as <case>.ppm into the working folder. picture_check.sh compares that picture with the
// approved one in tests/golden; tools/update-golden.sh replaces the approved ones.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/frame_timer.h"
#include "app/frame_timer_win32.h"
#include "app/scene_state.h"
#include "app/settings.h"
#include "data/car_data_loader.h"
#include "data/car_table.h"
#include "data/record_data.h"
#include "display/drawing_win32.h"
#include "display_test_support.h"
#include "race/race_drawing_d3d.h"
#include "race/race_setup_win32.h"
#include "race/race_state.h"
#include "race/race_view_d3d.h"
#include "screens/car_select.h"
#include "screens/car_select_win32.h"
#include "screens/options.h"
#include "screens/options_win32.h"
#include "screens/record_viewer.h"
#include "screens/records_win32.h"
#include "screens/title.h"
#include "screens/title_win32.h"

namespace {
using namespace display_test;

constexpr int kFiveSpeedCar = 3;  // ARATA Kazami･MR, the first car offered
constexpr int kSixSpeedCar = 4;   // TSUKUMO Raijin GT-T

class Pictures : public WindowedSceneTest {
 protected:
  void SetUp() override {
    WindowedSceneTest::SetUp();
    window = hwnd_;
    ASSERT_TRUE(ReadCounterFrequency() && InitTimer(1000));
    FillTachoScale();
    ASSERT_TRUE(LoadCarData());
    random_state = 1;
    BuildDefaultRecords();
  }
  void TearDown() override {
    ReleaseCarData();
    WindowedSceneTest::TearDown();
  }

  // Blinking pieces follow the clock: draws until one drawing lay wholly inside a stretch in
  // which the blink of the period is on (its first onMs) or off, as asked.
  template <typename Draw>
  void DrawWithBlink(uint32_t periodMs, uint32_t onMs, bool on, Draw draw) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      const uint32_t before = ReadTimer();
      draw();
      const uint32_t after = ReadTimer();
      if (before / periodMs == after / periodMs && (before % periodMs < onMs) == on &&
          (after % periodMs < onMs) == on) {
        return;
      }
      Sleep(7);
    }
    FAIL() << "no drawing fitted in one stretch of the blink";
  }

  // The frame rate the read-out shows, then the back buffer as the case's picture.
  void Save() {
    frame_rate = 60;
    DrawFrameRate();
    const Pixels back = ReadPixels(display_context.back_buffer);
    ASSERT_EQ(back.width, 640);
    const DDPIXELFORMAT f = FormatOf(display_context.back_buffer);
    const std::string name =
        std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".ppm";
    std::FILE* out = std::fopen(name.c_str(), "wb");
    ASSERT_NE(out, nullptr) << name;
    std::fprintf(out, "P6\n%d %d\n255\n", back.width, back.height);
    for (uint32_t pixel : back.values) {
      const uint8_t rgb[3] = {Channel(pixel, f.dwRBitMask), Channel(pixel, f.dwGBitMask),
                              Channel(pixel, f.dwBBitMask)};
      std::fwrite(rgb, 1, 3, out);
    }
    std::fclose(out);
  }

  static uint8_t Channel(uint32_t pixel, uint32_t mask) {
    uint32_t value = pixel & mask;
    uint32_t top = mask;
    while ((top & 1) == 0) {
      top >>= 1;
      value >>= 1;
    }
    return static_cast<uint8_t>(value * 255 / top);
  }

  void Title(uint8_t phase, uint32_t slideMs, uint32_t wipeMs) {
    constexpr uint32_t kNow = 100000;  // ms
    scene_state = SCENE_TITLE;
    LoadSmallFont();
    LoadTitleArt();
    TitleState& state = title_state;
    state.title_phase = phase;
    state.title_cursor = 2;
    state.delay_taken = state.slide_taken = state.wipe_taken = true;
    state.title_delay_end_ms = kNow - 1;
    state.slide_start_ms = kNow - slideMs;
    state.wipe_start_ms = kNow - wipeMs;
    DrawTitleAt(kNow);
    Save();
  }

  // The graph drawn in whole, the arrows shown.
  void CarSelect(int car) {
    scene_state = SCENE_CAR_SELECT_ENTER;
    EnterCarSelect();
    ASSERT_EQ(scene_state, SCENE_CAR_SELECT);
    current_car = car_table[car];
    for (int frame = 0; frame < 27; ++frame) DrawCarSelect(true);
    DrawWithBlink(1000, 500, true, [] { DrawCarSelect(true); });
    Save();
  }

  // The row under the cursor; joystick rows are drawn as with a joystick attached.
  void Options(int32_t cursor, bool joystick) {
    windowed = 1;
    speedometer_style = 1;
    const uint8_t buttons[4] = {2, 5, 8, 9};
    std::memcpy(joystick_buttons, buttons, sizeof buttons);
    scene_state = SCENE_OPTIONS_ENTER;
    EnterOptions();
    ASSERT_EQ(scene_state, SCENE_OPTIONS);
    option_edit.option_cursor = cursor;
    DrawOptions(joystick);
    Save();
  }

  // The viewer on one table, the arrows shown beside the line `row`.
  void Records(uint8_t course, int32_t table, uint8_t row) {
    scene_state = SCENE_RECORDS_ENTER;
    EnterRecords();
    ASSERT_EQ(scene_state, SCENE_RECORDS);
    race_mode = course;
    result_table = table;
    record_screen.records_row = row;
    DrawWithBlink(1000, 500, true, [] { RecordsFrame(); });
    Save();
  }

  void Race(int car, int32_t style, void (*script)(RaceState&)) {
    current_car = car_table[car];
    race_mode = 0;
    speedometer_style = style;
    scene_state = SCENE_RACE_ENTER;
    EnterRace();
    ASSERT_EQ(scene_state, SCENE_RACE_RESET);
    RaceState& race = race_state;
    SetRaceStartValues(race);
    for (D3DVECTOR& p : race.signal_positions) p.y = 1.0f;  // the opening move is over
    race.engine_rpm = 1000.0f;
    script(race);
    race.camera_at.z = race.distance + 10.0f;
    ApplyRaceView();
    scene_state = SCENE_RACE;
    // The finish banner shows for one second of every one and a half.
    DrawWithBlink(1500, 1000, true, [] { DrawRaceScene(); });
    Save();
  }
};

TEST_F(Pictures, title_banner) { Title(kTitleBannerOnly, 0, 0); }
// s = 100: the logo's right part out of the left edge, the subtitle's left out of the right.
TEST_F(Pictures, title_slide) { Title(kTitleSliding, 40, 0); }
TEST_F(Pictures, title_wipe) { Title(kTitleWiping, 5000, 80 * 15); }
TEST_F(Pictures, title_menu) { Title(kTitleComplete, 5000, 5000); }

TEST_F(Pictures, car_select_five_speed) { CarSelect(kFiveSpeedCar); }
TEST_F(Pictures, car_select_six_speed) { CarSelect(kSixSpeedCar); }

TEST_F(Pictures, options_keyboard) { Options(kOptionOkRow, false); }
TEST_F(Pictures, options_joystick) { Options(3, true); }

TEST_F(Pictures, records_400m_time) { Records(0, kTimeTable, 0); }
TEST_F(Pictures, records_400m_speed) { Records(0, kSpeedTable, 1); }
TEST_F(Pictures, records_1000m_time) { Records(1, kTimeTable, 1); }
TEST_F(Pictures, records_1000m_speed) { Records(1, kSpeedTable, 0); }

// A run third in the 1000 m time table, its name half typed, the cursor on its third letter.
TEST_F(Pictures, result_new_entry) {
  race_mode = 1;
  result_table = kTimeTable;
  race_state.time_rank = 3;
  race_state.speed_rank = 0;
  RankingEntry& entry = record_data.tables[1][kTimeTable][2];
  entry.value = 25.312f;
  std::strcpy(entry.player_name, "QZ");
  std::strcpy(entry.car_name, car_table[kSixSpeedCar].name);
  scene_state = SCENE_RESULT_ENTER;
  EnterResult();
  ASSERT_EQ(scene_state, SCENE_RESULT);
  record_screen.name_cursor = 2;
  ResultFrame();
  Save();
}

// The race: five-speed car with the digital panels, six-speed car with the dial.
void AtTheLine(RaceState& race) { race.signal_step = 2; }
void AtTheGoLamp(RaceState& race) {
  race.signal_step = 5;
  race.engine_rpm = 5400.0f;
  race.gear_column = 0;
  race.gear_row = 0;
}
void MidCourse(RaceState& race) {
  race.signal_step = 5;
  race.distance = 187.6f;
  race.speed = 148.37;
  race.engine_rpm = 6230.0f;
  race.gear_column = 1;
  race.gear_row = 0;
  race.view_pitch = -0.42f;
  race.race_time_ms = 7345;
}
void Finished(RaceState& race) {
  race.signal_step = 5;
  race.distance = 412.7f;  // rolls on; the panels show the course
  race.speed = 171.93;
  race.engine_rpm = 7120.0f;
  race.gear_column = 2;
  race.gear_row = 0;
  race.race_time_ms = 12975;
  race.finished = true;
  race.time_rank = 2;
}

TEST_F(Pictures, race_digital_line) { Race(kFiveSpeedCar, 0, AtTheLine); }
TEST_F(Pictures, race_digital_go) { Race(kFiveSpeedCar, 0, AtTheGoLamp); }
TEST_F(Pictures, race_digital_mid) { Race(kFiveSpeedCar, 0, MidCourse); }
TEST_F(Pictures, race_digital_finish) { Race(kFiveSpeedCar, 0, Finished); }
TEST_F(Pictures, race_dial_line) { Race(kSixSpeedCar, 1, AtTheLine); }
TEST_F(Pictures, race_dial_go) { Race(kSixSpeedCar, 1, AtTheGoLamp); }
TEST_F(Pictures, race_dial_mid) { Race(kSixSpeedCar, 1, MidCourse); }
TEST_F(Pictures, race_dial_finish) { Race(kSixSpeedCar, 1, Finished); }

}  // namespace
