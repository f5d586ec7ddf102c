// The replay file (.vrp): a recorded run as bytes, and every test a file must pass before it
// is raced again. The layout is in replay_file.cpp and docs/replay-format.md. Portable: no
// Windows header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "race/replay.h"

constexpr size_t kReplayHeaderBytes = 56;
constexpr size_t kReplayFrameBytes = 8;
constexpr size_t kReplayFileMaxBytes = kReplayHeaderBytes + kReplayFrameBytes * kMaxReplayFrames;
constexpr uint16_t kReplayFormatVersion = 1;

constexpr const char* kReplayFolder = "replays";

// How reading a replay ended. Only kLoaded gives a run to race again.
enum class ReplayReadOutcome {
  kLoaded,
  kNoFile,           // not there
  kReadError,        // there, but the system would not open or read it
  kShort,            // shorter than its header or than the frames it announces
  kForeign,          // not a replay of this game
  kOtherFormat,      // a format version this game does not read
  kOtherGame,        // recorded by another version of the game, whose race may differ
  kAltered,          // the checksum does not match
  kBadContents,      // checksum right, but a field is out of its range
  kOtherCarData,     // the car it names is missing or its data differ from this game's
  kDoesNotReplay,    // raced again it does not reach its own finish time
};

// The file's bytes for a finished run, into out (at least kReplayFileMaxBytes); the size, or
// 0 when the run cannot be written (no frames, or two frames more than 65.535 s apart).
size_t EncodeReplay(const Replay& replay, uint8_t* out, size_t capacity);

// Checks size bytes in the order size, magic, versions, length, checksum, contents, and
// fills out only when every test passes.
ReplayReadOutcome DecodeReplay(const uint8_t* bytes, size_t size, Replay& out);

// Whether car is the very car the replay was raced with (its digest).
bool ReplayIsOfCar(const ReplayHeader& header, const CarSpec& car);

// The debug log's reason (UTF-8, ends with "\n"); null for kLoaded.
const char* ReplayReadOutcomeText(ReplayReadOutcome outcome);

// "replays\last_400m.vrp" or "replays\best_07_1000m.vrp", with the game's own separator.
std::string ReplayFileName(bool best, int32_t carIndex, int course);
