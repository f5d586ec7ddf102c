// enginesound: the engine's voice as the race makes it, without Windows. For one car it
// drives racesim's scripted 400 m run through the game's car model and writes the voice of
// every frame as raw 16-bit mono at 44,100 Hz (play it with
// `play -t raw -e signed -b 16 -c 1 -r 44100 out.raw`, draw its sonogram with sox). What a
// frame's synthesis costs in the game's own build: tools/bench/engine_voice_bench.cpp.
//
// Usage: enginesound --car INDEX <cardata.bin> <out.raw>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "data/car_data_format.h"
#include "sound/engine_sound_state.h"
#include "sound/engine_voice.h"
#include "tools/racesim/race_driver.h"

namespace {

constexpr int kFrameRate = 60;
constexpr int kSamplesPerFrame = kEngineSampleRate / kFrameRate;  // 735
constexpr int kSettleFrames = 90;  // heard after the finish

struct Recording {
  const CarSpec* car;
  EngineVoicing voicing;
  EngineVoice voice;
  EngineSoundState heard;
  RaceState last_race;
  CarModelState last_model;
  std::vector<int16_t> samples;
  long frames = 0;
};

void RenderFrame(Recording& r, const RaceState& race, const CarModelState& model,
                 const uint8_t* keys) {
  r.heard = ReadEngineSoundState(*r.car, TachoScaleFor(*r.car), race, model, keys, r.heard,
                                 kFrameRate);
  const size_t at = r.samples.size();
  r.samples.resize(at + kSamplesPerFrame);
  RenderEngineVoice(r.voice, r.voicing, r.heard, r.samples.data() + at, kSamplesPerFrame);
  ++r.frames;
}

void Observe(const RaceState& race, const CarModelState& model, const uint8_t* keys,
             void* context) {
  Recording& r = *static_cast<Recording*>(context);
  RenderFrame(r, race, model, keys);
  r.last_race = race;
  r.last_model = model;
}

// The car's best 400 m run, then the engine settling after the finish.
bool Record(const CarSpec& car, Recording& r) {
  r.car = &car;
  MakeEngineVoicing(car, TachoScaleFor(car).rev_limit, r.voicing);
  StartEngineVoice(r.voice, r.voicing);
  RunResult best;
  const DriverPlan plan = BestLaunch(car, TachoScaleFor(car), 400.0f, 15, 0, best);
  SimulateRun(car, TachoScaleFor(car), plan, 400.0f, 240, nullptr, Observe, &r);
  r.last_race.finished = true;
  const uint8_t keys[256] = {};
  for (int i = 0; i < kSettleFrames; ++i) RenderFrame(r, r.last_race, r.last_model, keys);
  return best.finished;
}

int Usage() {
  std::fprintf(stderr, "usage: enginesound --car INDEX <cardata.bin> <out.raw>\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5 || std::strcmp(argv[1], "--car") != 0) return Usage();
  const int index = std::atoi(argv[2]);
  std::ifstream file(argv[3], std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                   std::istreambuf_iterator<char>());
  std::vector<CarSpec> cars;
  if (ParseCarData(bytes.data(), bytes.size(), cars) != CarDataError::kNone) {
    std::fprintf(stderr, "enginesound: %s is no car data\n", argv[3]);
    return 1;
  }
  if (index < 0 || static_cast<size_t>(index) >= cars.size()) return Usage();
  FillTachoScale();

  Recording r;
  Record(cars[index], r);
  std::FILE* out = std::fopen(argv[4], "wb");
  if (out == nullptr) return 1;
  std::fwrite(r.samples.data(), sizeof(int16_t), r.samples.size(), out);
  std::fclose(out);
  std::printf("car %d: %d cylinders, %.0f ps, %ld frames, %.1f s\n", index, r.voicing.cylinders,
              r.voicing.peak_power, r.frames, r.samples.size() / double(kEngineSampleRate));
  return 0;
}
