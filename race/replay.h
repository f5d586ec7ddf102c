// A run as the race read it, frame by frame, and the same run raced again from those inputs.
//
// The race is a pure step of each frame's time and keys (StepRaceFlow), so a run is fully
// told by what went into it: the state the car model carried in from earlier runs, the keys
// the lever last saw, and per frame the timer reading, whether the keys were read, the keys the
// race looks at, the frame rate and the physics rate. Recording keeps those in a buffer of
// fixed size; replaying rebuilds the very same RaceFrameInput sequence, with the previous keys
// moving on only after frames whose keys were read, as the race frame does. Portable: no
// Windows header.
#pragma once

#include <cstdint>

#include "data/car_record.h"
#include "data/record_data.h"
#include "race/car_physics.h"
#include "race/race_flow.h"
#include "race/race_state.h"
#include "race/run_log.h"

// The keys the race reads, one bit each. The race only ever tests bit 7 of a key's byte.
constexpr uint8_t kReplayKeyAlt = 0x01;    // left Alt: throttle
constexpr uint8_t kReplayKeyCtrl = 0x02;   // left Ctrl: clutch
constexpr uint8_t kReplayKeyUp = 0x04;
constexpr uint8_t kReplayKeyDown = 0x08;
constexpr uint8_t kReplayKeyLeft = 0x10;
constexpr uint8_t kReplayKeyRight = 0x20;
constexpr uint8_t kReplayKeySpace = 0x40;  // leaves the race; a finished run may end holding it
constexpr uint8_t kReplayKeyMask = 0x7F;

// 200 s at 60 frames a second: the slowest car over 1000 m takes a tenth of that. A run that
// stays longer is simply not kept.
constexpr uint32_t kMaxReplayFrames = 12000;

// Car indices a replay can name: the car table's places, two digits in the file names.
constexpr int32_t kReplayCarIndices = 16;

struct ReplayFrame {
  uint32_t now_ms;        // ReadTimer()
  uint16_t frame_rate;    // frames per second
  uint16_t physics_rate;  // car-model steps per second, at least 1
  uint8_t keys;           // kReplayKey* bits
  bool keys_read;
};

// Everything about a run but its frames.
struct ReplayHeader {
  uint8_t course;                // 0 = 400 m, 1 = 1000 m
  uint8_t car_index;             // 0..15, the car's place in the car table
  uint32_t car_digest;           // CarSpecDigest of the car raced
  uint8_t previous_keys;         // kReplayKey* bits held at the race's last key handling
  CarModelState model;           // what the car model carried into the run
  uint32_t race_time_ms;         // the clock at the finish, ms
  uint16_t year;                 // the finish, local time, as the run log has it
  uint8_t month, day, hour, minute, second;
  uint32_t frame_count;
};

struct Replay {
  ReplayHeader header;
  ReplayFrame frames[kMaxReplayFrames];
};

// CRC-32 (IEEE 802.3, reflected, as zip and PNG have it).
uint32_t Crc32(const void* data, size_t length, uint32_t crc = 0);
// The digest that ties a replay to the car data it was raced with: the CRC-32 of the whole
// 612-byte record, so any change of the car (a figure, its name) refuses the old runs.
uint32_t CarSpecDigest(const CarSpec& car);

// The race's key bits of a 256-byte key state, and back (0x80 for each key down).
uint8_t RaceKeyBits(const uint8_t* keys);
void ExpandRaceKeyBits(uint8_t bits, uint8_t (&keys)[256]);

// --- Recording --------------------------------------------------------------------------

struct ReplayRecorder {
  Replay* replay;      // the buffer, owned by the caller
  bool incomplete;     // a frame could not be kept: this run cannot be replayed
};

// Starts a new run: nothing recorded yet.
void StartReplayRecording(ReplayRecorder& recorder);
// Notes one frame's input as it is handed to StepRaceFlow, with the car model as that frame
// finds it (the first frame takes the model, the previous keys and the course into the
// header). A frame beyond the buffer, or one the file cannot hold exactly, marks the run as
// incomplete.
void RecordReplayFrame(ReplayRecorder& recorder, const RaceFrameInput& input,
                       const CarModelState& model);
// Completes the header of a finished run. False when the run cannot be kept (incomplete, an
// unknown car index).
bool FinishReplayRecording(ReplayRecorder& recorder, const RaceState& race, const CarSpec& car,
                           int32_t carIndex, const LocalDateTime& finishedAt);

// --- Replaying --------------------------------------------------------------------------

// A run raced again: its own race state, car model, records and keys, so nothing of the game's
// own race is touched.
struct ReplayPlayer {
  const Replay* replay;
  const CarSpec* car;
  const TachoScaleRow* tacho;
  uint32_t next_frame;
  RaceState race;
  CarModelState model;
  RecordData records;      // scratch: the replayed finish is ranked here and forgotten
  int32_t result_table;
  uint8_t keys[256];
  uint8_t previous_keys[256];
};

void StartReplayPlayer(ReplayPlayer& player, const Replay& replay, const CarSpec& car,
                       const TachoScaleRow& tacho);
// Runs the next frame; false when every frame has been run.
bool StepReplayPlayer(ReplayPlayer& player);
// Runs every frame that is left.
void RunReplayToEnd(ReplayPlayer& player);
