#include "race/replay_file.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "app/game_version.h"
#include "race/race_flow.h"
#include "race/race_state.h"

// A .vrp file, little-endian, 56 + 8 × frames bytes:
//
//   offset  size  field
//   0       4     magic "VRPL"
//   4       2     u16 format version, 1
//   6       2     u16 game version, 75 (Ver0.75)
//   8       1     u8 course: 0 = 400 m, 1 = 1000 m
//   9       1     u8 car index, 0..15: the car's place in the car table
//   10      1     u8 key bits held at the last key handling before the first frame
//   11      1     zero
//   12      4     u32 car digest: CRC-32 of the car's 612-byte record
//   16      8     f64 traction limit carried into the run, N
//   24      4     i32 rev limiter active, as carried into the run
//   28      4     u32 timer reading when that limiter cut began, ms
//   32      4     u32 race time at the finish, ms
//   36      2     u16 year of the finish, local time
//   38      5     u8 month 1..12, day 1..31, hour 0..23, minute 0..59, second 0..59
//   43      1     zero
//   44      4     u32 timer reading of the first frame, ms
//   48      4     u32 frame count, 1..12000
//   52      4     u32 CRC-32 of the whole file but these four bytes
//   56            the frames, 8 bytes each:
//     +0    2     u16 ms since the frame before (0 for the first); the timer wraps at 2^32
//     +2    2     u16 frame rate
//     +4    2     u16 physics rate, at least 1
//     +6    1     u8 key bits: 0x01 left Alt, 0x02 left Ctrl, 0x04 Up, 0x08 Down, 0x10 Left,
//                 0x20 Right, 0x40 Space; 0 on a frame whose keys were not read
//     +7    1     u8 flags: 0x01 the keys were read this frame

#if defined(__BYTE_ORDER__)
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the f64 is copied byte for byte");
#endif
static_assert(sizeof(double) == 8);

namespace {

constexpr char kMagic[4] = {'V', 'R', 'P', 'L'};
constexpr uint16_t kGameVersion = kGameVersionMajor * 100 + kGameVersionMinor;
constexpr size_t kChecksumOffset = 52;
constexpr uint8_t kKeysReadFlag = 0x01;

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
void WriteU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
void WriteU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t FileChecksum(const uint8_t* bytes, size_t size) {
  const uint32_t head = Crc32(bytes, kChecksumOffset);
  return Crc32(bytes + kChecksumOffset + 4, size - kChecksumOffset - 4, head);
}

bool DateIsSound(const ReplayHeader& h) {
  return h.month >= 1 && h.month <= 12 && h.day >= 1 && h.day <= 31 && h.hour <= 23 &&
         h.minute <= 59 && h.second <= 59;
}

}  // namespace

size_t EncodeReplay(const Replay& replay, uint8_t* out, size_t capacity) {
  const ReplayHeader& h = replay.header;
  if (h.frame_count == 0 || h.frame_count > kMaxReplayFrames) return 0;
  const size_t size = kReplayHeaderBytes + kReplayFrameBytes * h.frame_count;
  if (capacity < size) return 0;

  std::memset(out, 0, kReplayHeaderBytes);
  std::memcpy(out, kMagic, sizeof kMagic);
  WriteU16(out + 4, kReplayFormatVersion);
  WriteU16(out + 6, kGameVersion);
  out[8] = h.course;
  out[9] = h.car_index;
  out[10] = h.previous_keys;
  WriteU32(out + 12, h.car_digest);
  std::memcpy(out + 16, &h.model.traction_limit, 8);
  WriteU32(out + 24, static_cast<uint32_t>(h.model.limiter_active));
  WriteU32(out + 28, h.model.limiter_time_ms);
  WriteU32(out + 32, h.race_time_ms);
  WriteU16(out + 36, h.year);
  const uint8_t date[5] = {h.month, h.day, h.hour, h.minute, h.second};
  std::memcpy(out + 38, date, sizeof date);
  WriteU32(out + 44, replay.frames[0].now_ms);
  WriteU32(out + 48, h.frame_count);

  uint32_t previous = replay.frames[0].now_ms;
  for (uint32_t i = 0; i < h.frame_count; ++i) {
    const ReplayFrame& frame = replay.frames[i];
    const uint32_t step = frame.now_ms - previous;  // modulo 2^32, like the timer
    if (step > UINT16_MAX) return 0;
    previous = frame.now_ms;
    uint8_t* p = out + kReplayHeaderBytes + kReplayFrameBytes * i;
    WriteU16(p, static_cast<uint16_t>(step));
    WriteU16(p + 2, frame.frame_rate);
    WriteU16(p + 4, frame.physics_rate);
    p[6] = static_cast<uint8_t>(frame.keys & kReplayKeyMask);
    p[7] = frame.keys_read ? kKeysReadFlag : 0;
  }
  WriteU32(out + kChecksumOffset, FileChecksum(out, size));
  return size;
}

ReplayReadOutcome DecodeReplay(const uint8_t* bytes, size_t size, Replay& out) {
  if (bytes == nullptr || size < kReplayHeaderBytes) return ReplayReadOutcome::kShort;
  if (std::memcmp(bytes, kMagic, sizeof kMagic) != 0) return ReplayReadOutcome::kForeign;
  if (ReadU16(bytes + 4) != kReplayFormatVersion) return ReplayReadOutcome::kOtherFormat;
  if (ReadU16(bytes + 6) != kGameVersion) return ReplayReadOutcome::kOtherGame;
  const uint32_t count = ReadU32(bytes + 48);
  if (count == 0 || count > kMaxReplayFrames) return ReplayReadOutcome::kBadContents;
  // The count is at most 12000 here, so the sum cannot overflow.
  const size_t expected = kReplayHeaderBytes + kReplayFrameBytes * count;
  if (size < expected) return ReplayReadOutcome::kShort;
  if (size > expected) return ReplayReadOutcome::kBadContents;
  if (FileChecksum(bytes, size) != ReadU32(bytes + kChecksumOffset)) {
    return ReplayReadOutcome::kAltered;
  }

  ReplayHeader h{};
  h.course = bytes[8];
  h.car_index = bytes[9];
  h.previous_keys = bytes[10];
  h.car_digest = ReadU32(bytes + 12);
  std::memcpy(&h.model.traction_limit, bytes + 16, 8);
  h.model.limiter_active = static_cast<int32_t>(ReadU32(bytes + 24));
  h.model.limiter_time_ms = ReadU32(bytes + 28);
  h.race_time_ms = ReadU32(bytes + 32);
  h.year = ReadU16(bytes + 36);
  h.month = bytes[38];
  h.day = bytes[39];
  h.hour = bytes[40];
  h.minute = bytes[41];
  h.second = bytes[42];
  h.frame_count = count;
  if (h.course > 1 || h.car_index >= kReplayCarIndices || (h.previous_keys & ~kReplayKeyMask) != 0 ||
      bytes[11] != 0 || bytes[43] != 0 || !DateIsSound(h) || !std::isfinite(h.model.traction_limit)) {
    return ReplayReadOutcome::kBadContents;
  }

  // Frames go into out only once the whole file is known to be sound.
  uint32_t now = ReadU32(bytes + 44);
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* p = bytes + kReplayHeaderBytes + kReplayFrameBytes * i;
    const uint16_t step = ReadU16(p);
    const uint8_t keys = p[6], flags = p[7];
    const bool keysRead = (flags & kKeysReadFlag) != 0;
    if ((i == 0 && step != 0) || ReadU16(p + 4) == 0 || (keys & ~kReplayKeyMask) != 0 ||
        (flags & ~kKeysReadFlag) != 0 || (!keysRead && keys != 0)) {
      return ReplayReadOutcome::kBadContents;
    }
  }
  out.header = h;
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* p = bytes + kReplayHeaderBytes + kReplayFrameBytes * i;
    now += ReadU16(p);
    ReplayFrame& frame = out.frames[i];
    frame.now_ms = now;
    frame.frame_rate = ReadU16(p + 2);
    frame.physics_rate = ReadU16(p + 4);
    frame.keys = p[6];
    frame.keys_read = (p[7] & kKeysReadFlag) != 0;
  }
  return ReplayReadOutcome::kLoaded;
}

bool ReplayIsOfCar(const ReplayHeader& header, const CarSpec& car) {
  return CarSpecDigest(car) == header.car_digest;
}

const char* ReplayReadOutcomeText(ReplayReadOutcome outcome) {
  switch (outcome) {
    case ReplayReadOutcome::kLoaded:
      return nullptr;
    case ReplayReadOutcome::kNoFile:
      return "リプレイがありません。\n";
    case ReplayReadOutcome::kReadError:
      return "リプレイを読み込めません。\n";
    case ReplayReadOutcome::kShort:
      return "リプレイが途中で切れています。\n";
    case ReplayReadOutcome::kForeign:
      return "VORTA のリプレイではありません。\n";
    case ReplayReadOutcome::kOtherFormat:
      return "リプレイの形式のバージョンが異なります。\n";
    case ReplayReadOutcome::kOtherGame:
      return "別のバージョンのゲームで記録したリプレイです。\n";
    case ReplayReadOutcome::kAltered:
      return "リプレイが改変されている可能性があります。\n";
    case ReplayReadOutcome::kBadContents:
      return "リプレイの内容が正しくありません。\n";
    case ReplayReadOutcome::kOtherCarData:
      return "リプレイの車のデータがこのゲームの車と異なります。\n";
    case ReplayReadOutcome::kDoesNotReplay:
      return "リプレイを走らせても記録したタイムになりません。\n";
  }
  return nullptr;
}

std::string ReplayFileName(bool best, int32_t carIndex, int course) {
  const int metres = static_cast<int>(CourseLength[course == 1 ? 1 : 0]);
  char name[64];
  if (best) {
    std::snprintf(name, sizeof name, "%s\\best_%02d_%dm.vrp", kReplayFolder,
                  static_cast<int>(carIndex), metres);
  } else {
    std::snprintf(name, sizeof name, "%s\\last_%dm.vrp", kReplayFolder, metres);
  }
  return name;
}
