#include "race/replay.h"

#include <cstring>
#include <limits>

#include "input/key_state.h"
#include "race/run_log.h"

namespace {

constexpr int kSpaceKeyCode = 0x39;

// Key code of each kReplayKey bit, lowest bit first.
constexpr int kRaceKeyCodes[7] = {kKeyCodeLeftAlt, kKeyCodeLeftCtrl, kKeyCodeUp,   kKeyCodeDown,
                                  kKeyCodeLeft,    kKeyCodeRight,    kSpaceKeyCode};

struct Crc32Table {
  uint32_t entries[256];
  constexpr Crc32Table() : entries() {
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      entries[i] = c;
    }
  }
};
constexpr Crc32Table kCrc32Table;

}  // namespace

uint32_t Crc32(const void* data, size_t length, uint32_t crc) {
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  crc = ~crc;
  for (size_t i = 0; i < length; ++i) crc = kCrc32Table.entries[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

uint32_t CarSpecDigest(const CarSpec& car) { return Crc32(&car, sizeof car); }

uint8_t RaceKeyBits(const uint8_t* keys) {
  uint8_t bits = 0;
  for (int i = 0; i < 7; ++i) {
    if (IsKeyHeld(keys, kRaceKeyCodes[i])) bits = static_cast<uint8_t>(bits | (1u << i));
  }
  return bits;
}

void ExpandRaceKeyBits(uint8_t bits, uint8_t (&keys)[256]) {
  std::memset(keys, 0, sizeof keys);
  for (int i = 0; i < 7; ++i) {
    if ((bits >> i) & 1) keys[kRaceKeyCodes[i]] = kKeyDownBit;
  }
}

void StartReplayRecording(ReplayRecorder& recorder) {
  recorder.replay->header = ReplayHeader{};
  recorder.incomplete = false;
}

void RecordReplayFrame(ReplayRecorder& recorder, const RaceFrameInput& input,
                       const CarModelState& model) {
  ReplayHeader& header = recorder.replay->header;
  const uint8_t course = static_cast<uint8_t>(CourseIndex(input.race_mode));
  if (header.frame_count == 0) {
    header.course = course;
    header.previous_keys = RaceKeyBits(input.previous_keys);
    header.model = model;
  }
  // The rates go into 16 bits: the race keeps only 16 of the frame rate anyway, but a value
  // that would not come back the same is not squeezed in, it ends the recording. So does a
  // course that changes under a run.
  const bool fits = input.frame_rate >= 0 && input.frame_rate <= UINT16_MAX &&
                    input.physics_rate >= 1 && input.physics_rate <= UINT16_MAX &&
                    course == header.course;
  if (!fits || header.frame_count >= kMaxReplayFrames) {
    recorder.incomplete = true;
    return;
  }
  ReplayFrame& frame = recorder.replay->frames[header.frame_count++];
  frame.now_ms = input.now_ms;
  frame.frame_rate = static_cast<uint16_t>(input.frame_rate);
  frame.physics_rate = static_cast<uint16_t>(input.physics_rate);
  frame.keys = input.keys_read ? RaceKeyBits(input.keys) : 0;
  frame.keys_read = input.keys_read;
}

bool FinishReplayRecording(ReplayRecorder& recorder, const RaceState& race, const CarSpec& car,
                           int32_t carIndex, const LocalDateTime& finishedAt) {
  ReplayHeader& header = recorder.replay->header;
  if (recorder.incomplete || header.frame_count == 0 || carIndex < 0 ||
      carIndex >= kReplayCarIndices) {
    return false;
  }
  header.car_index = static_cast<uint8_t>(carIndex);
  header.car_digest = CarSpecDigest(car);
  header.race_time_ms = race.race_time_ms;
  header.year = static_cast<uint16_t>(finishedAt.year);
  header.month = static_cast<uint8_t>(finishedAt.month);
  header.day = static_cast<uint8_t>(finishedAt.day);
  header.hour = static_cast<uint8_t>(finishedAt.hour);
  header.minute = static_cast<uint8_t>(finishedAt.minute);
  header.second = static_cast<uint8_t>(finishedAt.second);
  return true;
}

void StartReplayPlayer(ReplayPlayer& player, const Replay& replay, const CarSpec& car,
                       const TachoScaleRow& tacho) {
  player.replay = &replay;
  player.car = &car;
  player.tacho = &tacho;
  player.next_frame = 0;
  SetRaceStartValues(player.race);
  player.model = replay.header.model;
  std::memset(&player.records, 0, sizeof player.records);
  player.result_table = 0;
  std::memset(player.keys, 0, sizeof player.keys);
  ExpandRaceKeyBits(replay.header.previous_keys, player.previous_keys);
}

bool StepReplayPlayer(ReplayPlayer& player) {
  const Replay& replay = *player.replay;
  if (player.next_frame >= replay.header.frame_count) return false;
  const ReplayFrame& frame = replay.frames[player.next_frame++];
  ExpandRaceKeyBits(frame.keys, player.keys);
  const RaceFrameInput input = {frame.now_ms, frame.keys_read, player.keys,
                                player.previous_keys, frame.frame_rate, frame.physics_rate,
                                replay.header.course};
  RaceWorld world = {*player.car, *player.tacho, player.model, player.records,
                     player.result_table};
  StepRaceFlow(player.race, input, world);
  if (frame.keys_read) std::memcpy(player.previous_keys, player.keys, sizeof player.keys);
  return true;
}

void RunReplayToEnd(ReplayPlayer& player) {
  while (StepReplayPlayer(player)) {
  }
}
