// The game's screens as the player sees them, one state per case: each case sets the state by
// hand, draws it with the game's own drawing code on a windowed display, and writes the back
// buffer as <case>.ppm into the working folder. picture_check.sh compares that picture with the
// approved one in tests/golden; tools/update-golden.sh replaces the approved ones.
#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>

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
#include "race/replay_win32.h"
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

// A race frame set by hand: the signal, the car and the clock.
struct RaceMoment {
  int32_t signal_step;
  float distance;  // m
  double speed;    // km/h
  float rpm;
  int32_t gear_column, gear_row;
  uint32_t race_time_ms;
  bool finished;
};
const RaceMoment kAtTheLine{2, 0.0f, 0.0, 1000.0f, 1, 1, 0, false};
const RaceMoment kAtTheGoLamp{5, 0.0f, 0.0, 5400.0f, 0, 0, 0, false};
const RaceMoment kFalseStart{6, 0.02f, 3.2, 2400.0f, 0, 0, 0, false};  // crept off early
const RaceMoment kMidCourse{5, 187.6f, 148.37, 6230.0f, 1, 0, 7345, false};
// Rolled on past the line; second in the time table.
const RaceMoment kFinished{5, 412.7f, 171.93, 7120.0f, 2, 0, 12975, true};
// 7 m short of the line.
const RaceMoment kNearTheLine{5, 393.0f, 170.6, 7090.0f, 2, 0, 12812, false};

// A slip of a 400 m run up to mark `passed`: the reaction time and the time and speed at each
// mark, ms and km/h.
TimeSlip MakeSlip(uint32_t reactionMs, const uint32_t (&times)[4], const double (&speeds)[4],
                  int passed) {
  TimeSlip slip = {};
  slip.reacted = true;
  slip.reaction_ms = reactionMs;
  for (int i = 0; i < passed; ++i) slip.marks[i] = {true, times[i], speeds[i]};
  return slip;
}

class Pictures : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    windowed = 1;
    ASSERT_TRUE(CreateDisplay(hwnd_, 640, 480, 1, 0));
    ASSERT_TRUE(ReadCounterFrequency() && InitTimer(1000));
    FillTachoScale();
    ASSERT_TRUE(LoadCarData());
    random_state = 1;
    BuildDefaultRecords();
  }
  void TearDown() override {
    ReleaseCarData();
    ReleaseSceneSurfaces();
    DisplayTest::TearDown();
  }

  // Blinking pieces follow the clock: draws until one drawing lay wholly inside a stretch in
  // which the blink is on (the first onMs of every periodMs).
  template <typename Draw>
  void DrawWhileShown(uint32_t periodMs, uint32_t onMs, Draw draw) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      const uint32_t before = ReadTimer();
      draw();
      const uint32_t after = ReadTimer();
      if (before / periodMs == after / periodMs && after % periodMs < onMs) return;
      Sleep(7);
    }
    FAIL() << "no drawing fitted in one stretch of the blink";
  }

  // The frame rate read-out showing 60, then the back buffer as the case's picture.
  void Save() {
    frame_rate = 60;
    DrawFrameRate();
    const Pixels back = ReadPixels(display_context.back_buffer);
    ASSERT_EQ(FormatOf(display_context.back_buffer).dwRBitMask, 0xFF0000u) << "a 24-bit screen";
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::FILE* out = std::fopen((name + ".ppm").c_str(), "wb");
    ASSERT_NE(out, nullptr) << name;
    std::fprintf(out, "P6\n%d %d\n255\n", back.width, back.height);
    for (uint32_t pixel : back.values) {
      const uint8_t rgb[3] = {uint8_t(pixel >> 16), uint8_t(pixel >> 8), uint8_t(pixel)};
      std::fwrite(rgb, 1, 3, out);
    }
    std::fclose(out);
  }

  void Title(uint8_t phase, uint32_t slideMs, uint32_t wipeMs) {
    constexpr uint32_t kNow = 100000;  // ms
    LoadSmallFont();
    LoadTitleArt();
    TitleState& state = title_state;
    state.title_phase = phase;
    state.title_cursor = 2;
    state.slide_taken = state.wipe_taken = true;
    state.slide_start_ms = kNow - slideMs;
    state.wipe_start_ms = kNow - wipeMs;
    DrawTitleAt(kNow);
    Save();
  }

  // The graph drawn in whole, the arrows shown. A display rebuild (F2) part way must leave
  // the same picture: the next frame draws the graph up to where it had grown at once.
  void CarSelect(int car, bool rebuildAfterNineFrames) {
    EnterCarSelect();
    current_car = car_table[car];
    for (int frame = 0; frame < 27; ++frame) {
      if (frame == 9 && rebuildAfterNineFrames) {
        ASSERT_TRUE(RebuildDisplay(1));
      }
      DrawCarSelect(true);
    }
    DrawWhileShown(1000, 500, [] { DrawCarSelect(true); });
    Save();
  }

  // The joystick's rows are drawn as with a joystick attached.
  void Options(int32_t cursor, bool joystick) {
    windowed = speedometer_style = 1;
    std::memcpy(joystick_buttons, "\x02\x05\x08\x09", 4);
    EnterOptions();
    option_edit.option_cursor = cursor;
    DrawOptions(joystick);
    Save();
  }

  // The viewer on one table, the arrows beside the line `row`.
  void Records(uint8_t course, int32_t table, uint8_t row) {
    EnterRecords();
    race_mode = course;
    result_table = table;
    record_screen.records_row = row;
    DrawWhileShown(1000, 500, [] { RecordsFrame(); });
    Save();
  }

  // A display rebuild (F2) before the frame must leave the same picture: the same run, its
  // view and its resources.
  void Race(int car, int32_t style, const RaceMoment& moment, bool rebuild = false) {
    current_car = car_table[car];
    race_mode = 0;
    speedometer_style = style;
    EnterRace();
    RaceState& race = race_state;
    const TimeSlip slip = race.slip;  // a case may have set the run's slip
    SetRaceStartValues(race);
    race.slip = slip;
    for (D3DVECTOR& p : race.signal_positions) p.y = 1.0f;  // the opening move is over
    const RaceMoment& m = moment;
    std::tie(race.signal_step, race.distance, race.speed, race.engine_rpm, race.gear_column,
             race.gear_row, race.race_time_ms, race.finished) =
        std::tie(m.signal_step, m.distance, m.speed, m.rpm, m.gear_column, m.gear_row,
                 m.race_time_ms, m.finished);
    race.time_rank = m.finished ? 2 : 0;
    race.view_pitch = moment.speed > 100.0 ? -0.42f : -0.5f;
    race.camera_at.z = race.distance + 10.0f;
    ApplyRaceView();
    scene_state = SCENE_RACE;
    if (rebuild) {
      ASSERT_TRUE(RebuildDisplay(1));
    }
    // The finish banner shows for one second of every one and a half.
    DrawWhileShown(1500, 1000, [] { DrawRaceScene(); });
    Save();
  }
};

// The best run's car beside the player at the line, ahead of the player in mid-course, and
// after its finish, standing at the line while the player comes up to it, the slip showing the
// gaps to it at the marks passed.
TEST_F(Pictures, race_ghost_line) {
  ghost_car = 1;
  ghost_run.ready = true;
  ghost_run.player.race.distance = 0.0f;
  Race(kFiveSpeedCar, 0, kAtTheLine);
}
TEST_F(Pictures, race_ghost_ahead) {
  ghost_car = 1;
  ghost_run.ready = true;
  ghost_run.player.race.distance = kMidCourse.distance + 6.0f;
  Race(kFiveSpeedCar, 0, kMidCourse);
}
TEST_F(Pictures, race_ghost_finish) {
  ghost_car = 1;
  time_slip_panel = 1;
  ghost_run.ready = true;
  ghost_run.player.race.distance = 400.6f;
  ghost_run.player.race.finished = true;
  ghost_run.slip = MakeSlip(389, {1690, 4871, 7380, 12852}, {62.0, 119.3, 152.2, 172.4}, 4);
  race_state.slip = MakeSlip(412, {1734, 4980, 7412, 12975}, {61.2, 118.4, 151.7, 171.9}, 3);
  Race(kFiveSpeedCar, 0, kNearTheLine);
}

TEST_F(Pictures, title_banner) { Title(kTitleBannerOnly, 0, 0); }
// s = 100: the logo's right part out of the left edge, the subtitle's left out of the right.
TEST_F(Pictures, title_slide) { Title(kTitleSliding, 40, 0); }
TEST_F(Pictures, title_wipe) { Title(kTitleWiping, 5000, 80 * 15); }
TEST_F(Pictures, title_menu) { Title(kTitleComplete, 5000, 5000); }

TEST_F(Pictures, car_select_five_speed) { CarSelect(kFiveSpeedCar, false); }
TEST_F(Pictures, car_select_six_speed) { CarSelect(kSixSpeedCar, true); }

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
  EnterResult();
  record_screen.name_cursor = 2;
  ResultFrame();
  Save();
}

// The five-speed car with the digital panels, the six-speed car with the dial.
TEST_F(Pictures, race_digital_line) { Race(kFiveSpeedCar, 0, kAtTheLine); }
TEST_F(Pictures, race_digital_go) { Race(kFiveSpeedCar, 0, kAtTheGoLamp); }
TEST_F(Pictures, race_digital_false_start) { Race(kFiveSpeedCar, 0, kFalseStart); }
TEST_F(Pictures, race_digital_mid) { Race(kFiveSpeedCar, 0, kMidCourse); }
TEST_F(Pictures, race_digital_finish) { Race(kFiveSpeedCar, 0, kFinished); }
TEST_F(Pictures, race_dial_line) { Race(kSixSpeedCar, 1, kAtTheLine); }
TEST_F(Pictures, race_dial_go) { Race(kSixSpeedCar, 1, kAtTheGoLamp); }
TEST_F(Pictures, race_dial_mid) { Race(kSixSpeedCar, 1, kMidCourse, true); }
TEST_F(Pictures, race_dial_finish) { Race(kSixSpeedCar, 1, kFinished); }

}  // namespace
