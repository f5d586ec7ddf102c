// One race frame after another on a clock set by hand.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "app/scene_state.h"
#include "race/race_flow.h"
#include "test_cars.h"

namespace {

constexpr int kSpace = 0x39, kAlt = 0x38, kCtrl = 0x1D;

struct FlowRig {
  CarSpec car = MakeRecord4();
  TachoScaleRow tacho = MakeTachoRow(10000);
  CarModelState model;
  RecordData records = {};
  int32_t table = -1;
  RaceState race;
  uint8_t keys[256] = {}, previous[256] = {};
  uint32_t origin;
  int frame = 0;  // the next one; frame_rate is rate_base + its number
  int rate_base = 50;
  bool keysRead = true;
  uint8_t raceMode = 0;

  explicit FlowRig(uint32_t clockOrigin = 1000000) : origin(clockOrigin) {
    SetRaceStartValues(race);
  }
  uint32_t Now() const { return origin + static_cast<uint32_t>(frame * 1000 / 60); }
  int LastMs() const { return (frame - 1) * 1000 / 60; }
  int32_t Step(std::initializer_list<int> held = {}) {
    std::memset(keys, 0, sizeof keys);
    for (int key : held) keys[key] = 0x80;
    RaceWorld world = {car, tacho, model, records, table};
    const int32_t next =
        StepRaceFlow(race, {Now(), keysRead, keys, previous, rate_base + frame, 60, raceMode}, world);
    if (keysRead) std::memcpy(previous, keys, sizeof keys);
    ++frame;
    return next;
  }
  int StepsUntil(int32_t step) {  // ms of the frame that reached it
    while (race.signal_step != step && frame < 600) EXPECT_EQ(kNoSceneRequest, Step());
    return LastMs();
  }
};

// Also across the timer's wrap-around.
TEST(RaceFlow, SignalSinksThenStepsAboutOneSecondApartToGo) {
  for (uint32_t origin : {1000000u, 0xFFFFF000u}) {
    FlowRig rig(origin);
    // A frame sets the height from the progress of the frame before: at 450 ms that of 433 ms.
    for (const auto& [frames, height] :
         {std::pair{1, 2.0f}, {28, 2.0f - 433.0f / 900.0f}, {56, 1.0f}}) {
      while (rig.frame < frames) rig.Step();
      EXPECT_NEAR(height, rig.race.signal_positions[7].y, 0.001f) << frames;
    }
    int last = rig.StepsUntil(1);
    EXPECT_EQ(1.0f, rig.race.signal_positions[0].y) << "the signal's height once it has sunk";
    EXPECT_NEAR(930, last, 20);
    for (int32_t step = 2; step <= 5; ++step) {
      const int at = rig.StepsUntil(step);
      EXPECT_TRUE(at - last > 1000 && at - last < 1020) << step;
      if (step == 3) EXPECT_EQ(50 + rig.frame - 1, rig.race.fps_at_signal);
      last = at;
    }
    EXPECT_NEAR(4950, last, 100);
    EXPECT_LT(rig.race.engine_rpm, 1000.0f) << "no throttle without Alt: the engine idles";
    for (int i = 0; i < 60; ++i) rig.Step();
    EXPECT_EQ(1000u, rig.race.race_time_ms);
  }
}

TEST(RaceFlow, RollingDuringTheOpeningMoveIsAFalseStartThatRestartsOneSecondLater) {
  FlowRig rig;
  // Clutch down, lever left and up into first gear, then throttle with the clutch let out.
  for (auto held : {std::initializer_list<int>{kCtrl}, {kCtrl, 0xCB}, {kCtrl}, {kCtrl, 0xC8}}) {
    rig.Step(held);
  }
  while (rig.race.intro_progress <= 1.0f) rig.Step({kAlt});
  EXPECT_TRUE(rig.race.distance > 0.0f && rig.race.signal_step == 0);
  rig.Step({kAlt});
  EXPECT_EQ(6, rig.race.signal_step);
  const int calledAt = rig.LastMs();
  const double speed = rig.race.speed;
  while (rig.Step({kAlt}) == kNoSceneRequest) {}
  EXPECT_NEAR(1017, rig.LastMs() - calledAt, 1);
  EXPECT_EQ(speed, rig.race.speed) << "the car is no longer driven";
  EXPECT_FALSE(rig.race.result_recorded);
  EXPECT_FALSE(rig.race.slip.reacted) << "a false start has no slip";
}

TEST(RaceFlow, SpaceHeldLeavesByTheRanksAndRestartsOnEveryFrame) {
  const struct { uint8_t time, speed; int32_t scene, table; } cases[] = {
      {2, 4, SCENE_RESULT_ENTER, kTimeTable}, {0, 3, SCENE_RESULT_ENTER, kSpeedTable},
      {0, 0, SCENE_RACE_RESET, -1}, {0, 0, SCENE_RACE_RESET, -1}};
  FlowRig rig;  // Space stays held from one run into the next
  for (const auto& c : cases) {
    SetRaceStartValues(rig.race);
    rig.table = -1;
    rig.race.time_rank = c.time;
    rig.race.speed_rank = c.speed;
    EXPECT_EQ(c.scene, rig.Step({kSpace}));
    EXPECT_EQ(c.table, rig.table);
  }
}

// Without keys (a lost keyboard) the clock and the distance go on, the car is not driven
// and Space is not read.
TEST(RaceFlow, FinishTakesTheTimeBackToTheLineAndRoundsTheSpeeds) {
  const struct { uint32_t goAgoMs; double speed, top; uint32_t time; double atEnd, topAtEnd; }
      cases[] = {{13000, 180.0, 180.0, 12990, 180.0, 180.0},
                 {13000, 180.04, 180.06, 12990, 180.0, 180.1},
                 {13000, 120.0496, 120.0496, 12985, 120.0, 120.0},  // 1200.496 tenths: down
                 {200000, 180.0, 190.0, 99999, 180.0, 190.0}};
  for (const auto& c : cases) {
    FlowRig rig;
    rig.StepsUntil(5);
    rig.keysRead = false;
    rig.race.go_time_ms = rig.Now() - c.goAgoMs;
    rig.race.speed = c.speed;
    rig.race.top_speed = c.top;
    rig.race.distance = 400.505f - static_cast<float>(c.speed / 216.0);
    EXPECT_EQ(kNoSceneRequest, rig.Step({kSpace, kAlt}));
    EXPECT_EQ(c.time, rig.race.race_time_ms);
    EXPECT_NEAR(c.atEnd, rig.race.speed, 1e-9);
    EXPECT_NEAR(c.topAtEnd, rig.race.top_speed, 1e-9);
    EXPECT_TRUE(rig.race.finished && rig.race.result_recorded);
    EXPECT_EQ(50 + rig.frame - 1, rig.race.fps_at_finish);
    rig.Step();
    EXPECT_EQ(c.time, rig.race.race_time_ms) << "the clock stands still";
    EXPECT_GT(rig.race.distance, 401.0f);
  }
  FlowRig stalled;
  stalled.StepsUntil(5);
  stalled.race.distance = 401.0f;
  stalled.rate_base = -stalled.frame;
  stalled.Step();
  ASSERT_TRUE(stalled.race.finished);
  EXPECT_EQ(1, stalled.race.fps_at_finish) << "a finish frame that showed no rate still records 1";
}

// A scripted run: the car stands 18 frames into the go lamp, then moves 0.5 m (108 km/h) and
// 1 m a frame (216 km/h), so each mark is passed by 0.5 m at 60 m/s: 8 ms come off that
// frame's clock. The line is reached at 216.04 km/h, shown as 216.0.
TEST(TimeSlip, ScriptedRunTakesEachMarkBackToItsCrossingAndTheLineIsTheTableTime) {
  for (const uint8_t mode : {0, 1}) {
    const int course = mode == 0 ? 400 : 1000;
    FlowRig rig;
    rig.raceMode = mode;
    for (RankingEntry& slow : rig.records.tables[mode][kTimeTable]) slow.value = 100.0f;
    rig.keysRead = false;
    rig.StepsUntil(5);
    const int go = rig.frame - 1, moved = go + 19;
    while (rig.frame < moved) rig.Step();
    for (; rig.frame < moved + 1100; rig.Step()) {  // on past 1000 m
      rig.race.speed = rig.frame == moved ? 108.0 : rig.frame == moved + course ? 216.04 : 216.0;
    }
    auto ms = [&](int frame) { return static_cast<uint32_t>(frame * 1000 / 60 - go * 1000 / 60); };
    const TimeSlip& slip = rig.race.slip;
    EXPECT_EQ(ms(moved), slip.reaction_ms);
    for (int i = 0; i < kSlipMarks; ++i) {
      const int metres = kSlipMarkMetres[i];
      const SlipMark& mark = slip.marks[i];
      EXPECT_EQ(metres <= course, mark.passed) << metres;
      if (!mark.passed) continue;
      EXPECT_EQ(ms(moved + metres) - 8, mark.time_ms) << metres;
      EXPECT_NEAR(216.0, mark.speed, 1e-9) << metres;
    }
    const uint32_t line = ms(moved + course) - 8;
    EXPECT_EQ(line, rig.race.race_time_ms);
    EXPECT_EQ(static_cast<float>(line * 0.001), rig.records.tables[mode][kTimeTable][0].value);
  }
}

}  // namespace
