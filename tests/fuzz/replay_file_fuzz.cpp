// Any bytes as a replay file: the reader never reads past them, whatever it accepts is written
// back byte for byte, and raced as a ghost it never leaves its own state.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "race/ghost.h"
#include "race/replay_file.h"
#include "tests/core/test_cars.h"

namespace {

// A car of plausible figures: the fuzzer's runs are raced with it whatever car they name.
const CarSpec kCar = MakeRecord4();
const TachoScaleRow kTacho = MakeTachoRow(10000);
auto replay = std::make_unique<Replay>();
auto ghost = std::make_unique<GhostRun>();
std::vector<uint8_t> again(kReplayFileMaxBytes);

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly size bytes, so that ASan sees any read past the file.
  std::vector<uint8_t> bytes(data, data + size);
  if (DecodeReplay(bytes.data(), bytes.size(), *replay) != ReplayReadOutcome::kLoaded) return 0;

  const size_t written = EncodeReplay(*replay, again.data(), again.size());
  if (written != size || std::memcmp(again.data(), data, size) != 0) std::abort();

  // A run that does not reach its stored time is refused; either way the ghost raced its frames
  // within the replay it was given.
  PrepareGhost(*ghost, *replay, kCar, kTacho);
  if (ghost->player.next_frame > replay->header.frame_count) std::abort();
  return 0;
}
