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

namespace {

// A car of plausible figures: the fuzzer's runs are raced with it whatever car they name.
CarSpec MakeCar() {
  CarSpec car;
  std::memset(&car, 0, sizeof car);
  car.mass = 1300.0f;
  car.frontal_area = 1.9f;
  car.downforce_coef = 0.3f;
  car.drag_coef = 0.32f;
  car.rolling_coef = 0.015f;
  car.tyre_radius = 0.31f;
  car.final_drive = 4.1f;
  car.engine_drag = 3.0f;
  car.grip = 1.0f;
  car.cg_height = 0.45f;
  car.wheelbase = 2.5f;
  car.rear_weight = 0.5f;
  car.drive_layout = 1;
  const double upper[3] = {3.5, 0.0, 1.4}, lower[3] = {2.1, 0.0, 1.0};
  for (int c = 0; c < 3; ++c) {
    car.gear_gate[0][c] = upper[c];
    car.gear_gate[2][c] = lower[c];
  }
  for (int i = 0; i < 20; ++i) car.torque_curve[i] = 10.0 + 2.0 * i;
  car.idle_rpm = 900;
  return car;
}

const CarSpec kCar = MakeCar();
const TachoScaleRow kTacho = {10000, -30.0f, 170.0f};
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
