// What the engine sound hears of a race frame, and where each frame's samples go in the
// looping buffer that plays while the game draws.
#include <gtest/gtest.h>

#include <tuple>

#include "race/race_flow.h"
#include "sound/engine_sound_state.h"
#include "sound/sound_ring.h"
#include "test_cars.h"

namespace {

uint8_t keys[256];

RaceState InFirstGear(float rpm, double speedKmh) {
  RaceState race;
  SetRaceStartValues(race);
  race.gear_row = 0;  // upper left: first, 3.827
  race.gear_column = 0;
  race.engine_rpm = rpm;
  race.speed = speedKmh;
  return race;
}

EngineSoundState Hear(const RaceState& race, const CarModelState& model, bool throttle,
                      bool clutch, const EngineSoundState& before = EngineSoundState{}) {
  static const CarSpec car = MakeRecord4();
  static const TachoScaleRow tacho = MakeTachoRow(10000);
  keys[kKeyCodeLeftAlt] = throttle ? 0x80 : 0;
  keys[kKeyCodeLeftCtrl] = clutch ? 0x80 : 0;
  return ReadEngineSoundState(car, tacho, race, model, keys, before, 60);
}

}  // namespace

// Record 4 in first gear (ratio 3.266 x 3.827) at 5000 rpm: the engine speed alone would carry
// the car at 47.9421 km/h.
TEST(EngineSoundState, ReadsTheEngineOfTheFrame) {
  const CarModelState model;
  const EngineSoundState grip = Hear(InFirstGear(5000.0f, 47.9421), model, true, false);
  EXPECT_EQ(std::tuple(grip.rpm, grip.throttle, grip.disengaged, grip.limiter_cut),
            std::tuple(5000.0f, true, false, false));
  EXPECT_NEAR(0.0f, grip.wheel_slip, 1e-4f);
  EXPECT_NEAR(0.4994f, Hear(InFirstGear(5000.0f, 24.0), model, true, false).wheel_slip, 1e-4f);

  // The clutch or a neutral cell lets the engine run free: no slip to hear.
  const EngineSoundState clutch = Hear(InFirstGear(5000.0f, 0.0), model, true, true);
  EXPECT_TRUE(clutch.disengaged);
  EXPECT_EQ(0.0f, clutch.wheel_slip);
  RaceState neutral = InFirstGear(5000.0f, 0.0);
  neutral.gear_row = 1;
  EXPECT_TRUE(Hear(neutral, model, true, false).disengaged);

  // The limiter cuts the throttle while it holds, or past the limit; with the throttle shut
  // there is nothing to cut.
  CarModelState holding;
  holding.limiter_active = 1;
  EXPECT_TRUE(Hear(InFirstGear(9990.0f, 120.0), holding, true, false).limiter_cut);
  EXPECT_TRUE(Hear(InFirstGear(10001.0f, 120.0), model, true, false).limiter_cut);
  EXPECT_FALSE(Hear(InFirstGear(10000.0f, 120.0), model, true, false).limiter_cut);
  EXPECT_FALSE(Hear(InFirstGear(9990.0f, 120.0), holding, false, false).limiter_cut);
}

// Once the car model stops (the finish, a false start), the engine is heard settling to its
// idle at 3000 rpm a second, throttle shut, whatever keys are held.
TEST(EngineSoundState, AfterTheRaceTheEngineSettlesToIdle) {
  const CarModelState model;
  RaceState finished = InFirstGear(9000.0f, 160.0);
  finished.finished = true;
  EngineSoundState heard = Hear(finished, model, false, false);
  heard.rpm = 9000.0f;
  heard = Hear(finished, model, true, false, heard);
  EXPECT_EQ(std::tuple(heard.rpm, heard.throttle, heard.wheel_slip),
            std::tuple(8950.0f, false, 0.0f));

  RaceState falseStart = InFirstGear(3000.0f, 5.0);
  falseStart.signal_step = kSignalFalseStartStep;
  heard.rpm = 820.0f;
  EXPECT_EQ(800.0f, Hear(falseStart, model, true, false, heard).rpm);
}

// A buffer of 1000 samples, a lead of 100: each frame writes from where the last one ended up
// to 100 past the play cursor; once the cursor has passed that end, from the first position
// the device lets us write, with the samples it passed counted as skipped.
TEST(SoundRing, EachFrameWritesUpToTheLeadAndFindsItsPlaceAfterAStall) {
  const struct { uint32_t end, play, safe; RingWrite expected; } cases[] = {
      {600, 500, 510, {600, 0, 0}},   // the lead is there already
      {30, 950, 960, {30, 20, 0}},    // 80 ahead, across the buffer's end: 20 more
      {505, 500, 510, {510, 90, 5}},  // the end lies in the span the device is mixing
      {900, 50, 60, {60, 90, 160}},   // the cursor has run past the end and the buffer's end
  };
  for (const auto& c : cases) {
    const RingWrite w = PlanRingWrite(c.end, c.play, c.safe, 100, 1000);
    EXPECT_EQ(std::tuple(c.expected.start, c.expected.count, c.expected.skipped),
              std::tuple(w.start, w.count, w.skipped))
        << c.end << " " << c.play;
  }
}
