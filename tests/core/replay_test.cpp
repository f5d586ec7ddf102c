// A scripted race recorded as the race frame records it, written, read back and raced again;
// the files a reader must refuse; and the ghost raced beside a later run.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <tuple>
#include <vector>

#include "race/ghost.h"
#include "race/replay.h"
#include "race/replay_file.h"
#include "test_cars.h"

namespace {

constexpr int kAlt = 0x38, kCtrl = 0x1D, kUp = 0xC8, kDown = 0xD0, kLeft = 0xCB, kRight = 0xCD;

// The game's race frame in miniature: input built, recorded, StepRaceFlow, the previous keys
// moved on only after a frame whose keys were read. The script puts the lever into first at
// the line with the clutch held and the engine on the limiter, launches on the go lamp and
// shifts twice; a late frame now and then, and a frame whose keys could not be read every so
// often, one of them in the middle of a shift. The clock starts just short of its wrap.
struct ScriptedRun {
  CarSpec car = MakeRecord4();
  TachoScaleRow tacho = MakeTachoRow(10000);
  CarModelState model;
  RecordData records = {};
  int32_t table = 0;
  RaceState race;
  uint8_t keys[256] = {}, previous[256] = {};
  std::unique_ptr<Replay> replay = std::make_unique<Replay>();
  ReplayRecorder recorder = {replay.get(), false};
  uint32_t now = 0xFFFFF000u;
  int frame = 0;
  int shiftFrame = -1;        // the first frame of the shift under way
  int gear = 1;
  // The distance at each whole ms from the go lamp: that of the last frame not after it.
  std::vector<float> distance_at_ms;
  float last_distance = 0.0f;

  ScriptedRun() {
    std::memset(&race, 0, sizeof race);  // padding too: the state is compared byte for byte
    SetRaceStartValues(race);
    // Carried in from an earlier run: a limiter cut begun 10 ms ago, and Up still held.
    model = {12345.0, 1, now - 10};
    previous[kCtrl] = previous[kUp] = 0x80;
    StartReplayRecording(recorder);
  }

  void Hold(std::initializer_list<int> held) {
    std::memset(keys, 0, sizeof keys);
    for (int key : held) keys[key] = 0x80;
  }

  void Script() {
    if (race.signal_step != kSignalGoStep) {
      // Up already held counts only once released and pressed again.
      static const int kLine[8][2] = {{kCtrl, kUp}, {kCtrl, kUp}, {kCtrl, 0}, {kCtrl, kLeft},
                                      {kCtrl, 0},   {kCtrl, kUp}, {kCtrl, 0}, {kCtrl, kAlt}};
      const int* k = kLine[frame < 8 ? frame : 7];
      Hold({k[0], k[1]});
      return;
    }
    const double shiftAt[3] = {0, 62.0, 105.0};
    if (shiftFrame < 0 && gear < 3 && race.speed > shiftAt[gear]) shiftFrame = frame;
    if (shiftFrame < 0) return Hold({kAlt});
    // Second: Down, Down (a frame between, and one of them held over an unread frame);
    // third: Up, Right, Up.
    static const int kToSecond[8] = {0, kDown, kDown, kDown, 0, kDown, 0, 0};
    static const int kToThird[8] = {0, kUp, 0, kRight, 0, kUp, 0, 0};
    const int step = frame - shiftFrame;
    Hold({kCtrl, (gear == 1 ? kToSecond : kToThird)[step]});
    if (step == 7) {
      shiftFrame = -1;
      ++gear;
    }
  }

  bool KeysRead() const {
    return frame % 41 != 40 && !(gear == 1 && shiftFrame >= 0 && frame - shiftFrame == 2);
  }

  void Frame() {
    Script();
    const bool keysRead = KeysRead();
    const RaceFrameInput input = {now, keysRead, keys, previous, 58 + frame % 5, 60, 0};
    RecordReplayFrame(recorder, input, model);
    RaceWorld world = {car, tacho, model, records, table};
    StepRaceFlow(race, input, world);
    if (keysRead) std::memcpy(previous, keys, sizeof keys);
    if (race.signal_step == kSignalGoStep) {
      while (distance_at_ms.size() < now - race.go_time_ms) distance_at_ms.push_back(last_distance);
      distance_at_ms.push_back(race.distance);
      last_distance = race.distance;
    }
    ++frame;
    now += frame % 97 == 0 ? 37 : (frame % 3 == 0 ? 16 : 17);
  }

  void RaceToFinish() {
    while (!race.finished && frame < 3000) Frame();
    ASSERT_TRUE(race.finished);
    const LocalDateTime at = {2027, 1, 31, 23, 59, 59};
    ASSERT_TRUE(FinishReplayRecording(recorder, race, car, 3, at));
  }

  std::vector<uint8_t> File() const {
    std::vector<uint8_t> bytes(kReplayFileMaxBytes);
    bytes.resize(EncodeReplay(*replay, bytes.data(), bytes.size()));
    return bytes;
  }
};

TEST(Replay, ScriptedRunRacedAgainFromItsFileEndsExactlyAsRaced) {
  ScriptedRun run;
  run.RaceToFinish();
  ASSERT_EQ(3, run.gear) << "the script shifted into third";
  const std::vector<uint8_t> file = run.File();
  EXPECT_EQ(kReplayHeaderBytes + kReplayFrameBytes * run.frame, file.size());
  std::vector<uint8_t> small(file.size() - 1);
  EXPECT_EQ(0u, EncodeReplay(*run.replay, small.data(), small.size()));

  auto loaded = std::make_unique<Replay>();
  ASSERT_EQ(ReplayReadOutcome::kLoaded, DecodeReplay(file.data(), file.size(), *loaded));
  const ReplayHeader& h = loaded->header;
  EXPECT_EQ(std::make_tuple(3, 0, 2027, 1, 31, 23, 59, 59, run.race.race_time_ms),
            std::make_tuple(h.car_index, h.course, h.year, h.month, h.day, h.hour, h.minute,
                            h.second, h.race_time_ms));
  EXPECT_EQ(std::make_tuple(12345.0, 1, 0xFFFFF000u - 10, kReplayKeyCtrl | kReplayKeyUp),
            std::make_tuple(h.model.traction_limit, h.model.limiter_active,
                            h.model.limiter_time_ms, int(h.previous_keys)));
  EXPECT_EQ("replays\\best_03_400m.vrp", ReplayFileName(true, h.car_index, h.course));
  EXPECT_EQ("replays\\last_1000m.vrp", ReplayFileName(false, h.car_index, 1));
  EXPECT_TRUE(ReplayIsOfCar(loaded->header, run.car));
  auto player = std::make_unique<ReplayPlayer>();
  StartReplayPlayer(*player, *loaded, run.car, run.tacho);
  RunReplayToEnd(*player);
  EXPECT_EQ(run.race.race_time_ms, player->race.race_time_ms);
  EXPECT_EQ(0, std::memcmp(&run.race, &player->race, sizeof run.race)) << "the whole race state";
  EXPECT_EQ(0, std::memcmp(&run.model, &player->model, sizeof run.model)) << "the car model";
}

// Each damage to a sound file, and the reason the reader gives; a damaged checksum is put
// right afterwards where the test is of a field behind it.
TEST(Replay, ReaderRefusesEveryDamagedFile) {
  using Bytes = std::vector<uint8_t>;
  using O = ReplayReadOutcome;
  ScriptedRun run;
  run.RaceToFinish();
  const Bytes good = run.File();
  auto resum = [](Bytes& f) {
    const uint32_t crc = Crc32(f.data() + 56, f.size() - 56, Crc32(f.data(), 52));
    for (int i = 0; i < 4; ++i) f[52 + i] = static_cast<uint8_t>(crc >> (8 * i));
  };
  const struct { const char* what; void (*damage)(Bytes&); bool resummed; O outcome; } cases[] = {
      {"a header cut short", [](Bytes& f) { f.resize(55); }, false, O::kShort},
      {"the last frame cut short", [](Bytes& f) { f.pop_back(); }, false, O::kShort},
      {"a byte past the frames", [](Bytes& f) { f.push_back(0); }, false, O::kBadContents},
      {"another magic", [](Bytes& f) { f[0] = 'X'; }, false, O::kForeign},
      {"format version 2", [](Bytes& f) { f[4] = 2; }, false, O::kOtherFormat},
      {"game version 0.76", [](Bytes& f) { f[6] = 76; }, false, O::kOtherGame},
      {"a frame count past the cap", [](Bytes& f) { f[49] = 0xFF; }, false, O::kBadContents},
      {"a frame's byte changed", [](Bytes& f) { f[200] ^= 0x01; }, false, O::kAltered},
      {"course 2", [](Bytes& f) { f[8] = 2; }, true, O::kBadContents},
      {"car index 16", [](Bytes& f) { f[9] = 16; }, true, O::kBadContents},
      {"month 13", [](Bytes& f) { f[38] = 13; }, true, O::kBadContents},
      {"physics rate 0", [](Bytes& f) { f[60] = f[61] = 0; }, true, O::kBadContents},
      {"an unknown flag", [](Bytes& f) { f[63] |= 0x02; }, true, O::kBadContents},
      {"keys on an unread frame", [](Bytes& f) { f[56 + 8 * 40 + 6] = 1; }, true, O::kBadContents},
  };
  auto out = std::make_unique<Replay>();
  for (const auto& c : cases) {
    Bytes file = good;
    c.damage(file);
    if (c.resummed) resum(file);
    EXPECT_EQ(c.outcome, DecodeReplay(file.data(), file.size(), *out)) << c.what;
  }
  EXPECT_EQ(O::kLoaded, DecodeReplay(good.data(), good.size(), *out));
  // Other car data: one figure of the car changed.
  CarSpec tuned = run.car;
  tuned.final_drive += 0.001f;
  EXPECT_FALSE(ReplayIsOfCar(out->header, tuned));
  // A stored time the run does not reach: the ghost refuses it.
  out->header.race_time_ms += 1;
  auto ghost = std::make_unique<GhostRun>();
  EXPECT_FALSE(PrepareGhost(*ghost, *out, run.car, run.tacho));
  EXPECT_FALSE(ghost->ready);
}

// Past the buffer, or with a rate the file cannot hold exactly.
TEST(Replay, ARunTheFileCannotHoldIsNotKept) {
  for (const auto& [frames, frameRate, physicsRate] :
       {std::tuple{kMaxReplayFrames + 1, 60, 60}, {2u, 70000, 60}, {2u, 60, 0}}) {
    ScriptedRun run;
    uint8_t none[256] = {};
    for (uint32_t i = 0; i < frames; ++i) {
      RecordReplayFrame(run.recorder, {i * 16, true, none, none, frameRate, physicsRate, 0},
                        run.model);
    }
    EXPECT_LE(run.replay->header.frame_count, kMaxReplayFrames);
    EXPECT_FALSE(FinishReplayRecording(run.recorder, run.race, run.car, 3, {2026, 1, 1, 0, 0, 0}))
        << frames << " frames at " << frameRate << " and " << physicsRate;
  }
}

// The ghost of the scripted run beside a new race whose lamps come at other times of another
// clock: it waits at the line until the new race's go lamp, then is where the run was after as
// long from its own go lamp (to the frame), and at the end stays where its run ended.
TEST(Replay, GhostKeepsStepWithTheRaceClockFromTheGoLamp) {
  ScriptedRun run;
  run.RaceToFinish();
  auto ghost = std::make_unique<GhostRun>();
  ASSERT_TRUE(PrepareGhost(*ghost, *run.replay, run.car, run.tacho));

  RaceState live;
  SetRaceStartValues(live);
  live.signal_step = 4;
  FollowRaceClock(*ghost, live, 5000);
  EXPECT_EQ(0.0f, ghost->player.race.distance);
  EXPECT_EQ(4, ghost->player.race.signal_step) << "at the line under the last countdown lamp";
  live.signal_step = kSignalGoStep;
  live.go_time_ms = 700000;
  for (uint32_t sinceGo : {0u, 1000u, 4321u, 4338u, 9000u}) {
    FollowRaceClock(*ghost, live, live.go_time_ms + sinceGo);
    // The ghost takes its frames whole: it is where the run was at its last frame not after
    // this time.
    EXPECT_EQ(run.distance_at_ms[sinceGo], ghost->player.race.distance) << sinceGo << " ms";
  }
  FollowRaceClock(*ghost, live, live.go_time_ms + 60000);
  EXPECT_EQ(run.race.distance, ghost->player.race.distance);
  EXPECT_TRUE(ghost->player.race.finished);
  EXPECT_EQ(run.race.slip.marks[3].time_ms, ghost->slip.marks[3].time_ms);
}

}  // namespace
