// The engine's voice as a listener measures it: the note's pitch against the engine speed,
// the loudness of the ways the engine runs, the squeal, the joins between frames and inputs
// no race should give.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "sound/engine_voice.h"
#include "test_cars.h"

namespace {

constexpr int kFrame = kEngineSampleRate / 60;  // samples of one 1/60 s frame

// The power of `samples` at `hz` (Goertzel's recurrence: one frequency line).
double Power(const std::vector<int16_t>& samples, double hz) {
  const double coefficient = 2.0 * std::cos(2.0 * M_PI * hz / kEngineSampleRate);
  double s1 = 0.0, s2 = 0.0;
  for (int16_t x : samples) {
    const double s0 = x + coefficient * s1 - s2;
    s2 = s1;
    s1 = s0;
  }
  return s1 * s1 + s2 * s2 - coefficient * s1 * s2;
}

// The dominant frequency of `samples` between `low` and `high` Hz: a scan of the frequencies in
// 1 Hz steps, then 0.05 Hz steps around the best.
double DominantFrequency(const std::vector<int16_t>& samples, double low, double high) {
  double best = low, bestPower = 0.0;
  auto consider = [&](double hz) {
    const double p = Power(samples, hz);
    if (p > bestPower) best = hz, bestPower = p;
  };
  for (double hz = low; hz <= high; hz += 1.0) consider(hz);
  const double coarse = best;
  for (double hz = coarse - 1.0; hz <= coarse + 1.0; hz += 0.05) consider(hz);
  return best;
}

double Rms(const int16_t* samples, int count) {
  double sum = 0.0;
  for (int i = 0; i < count; ++i) sum += double(samples[i]) * samples[i];
  return std::sqrt(sum / count);
}

struct Voice {
  EngineVoicing voicing;
  EngineVoice voice;
  explicit Voice(const CarSpec& car, int32_t revLimit = 10000) {
    MakeEngineVoicing(car, revLimit, voicing);
    StartEngineVoice(voice, voicing);
  }
  // `frames` frames of one state, appended to `out`.
  void Play(const EngineSoundState& state, int frames, std::vector<int16_t>& out) {
    for (int f = 0; f < frames; ++f) {
      const size_t at = out.size();
      out.resize(at + kFrame);
      RenderEngineVoice(voice, voicing, state, out.data() + at, kFrame);
    }
  }
};

// {rpm, throttle, disengaged, limiter_cut, wheel_slip}
EngineSoundState Pulling(float rpm) { return {rpm, true}; }

// Record 4 with its torque scaled: the same car with less or more power.
CarSpec Record4WithPower(double factor) {
  CarSpec car = MakeRecord4();
  for (double& point : car.torque_curve) point *= factor;
  return car;
}

}  // namespace

// Record 4 makes 331 ps: six cylinders, three firings a revolution. At three quarters of its
// torque (248 ps) it is a four: two a revolution. An engine that revs to 18000 rpm is a ten:
// five a revolution.
TEST(EngineVoice, PitchIsTheFiringRateOfTheEngineSpeed) {
  const struct { CarSpec car; int32_t rev_limit; float rpm; double firing_hz; } cases[] = {
      {MakeRecord4(), 10000, 900.0f, 45.0},     {MakeRecord4(), 10000, 3000.0f, 150.0},
      {MakeRecord4(), 10000, 9500.0f, 475.0},   {Record4WithPower(0.75), 10000, 3000.0f, 100.0},
      {MakeRecord4(), 18000, 15000.0f, 1250.0},
  };
  for (const auto& c : cases) {
    Voice v(c.car, c.rev_limit);
    std::vector<int16_t> out;
    v.Play(Pulling(c.rpm), 4, out);  // the glide from idle and the fade-in
    out.clear();
    v.Play(Pulling(c.rpm), 12, out);
    EXPECT_NEAR(c.firing_hz, DominantFrequency(out, 20.0, 2000.0), c.firing_hz * 0.01)
        << c.rpm << " rpm, limit " << c.rev_limit;
  }

  // From 3000 to 6000 rpm in one frame the note glides: 150 to 300 firings a second, 3.75 in
  // the frame's 1/60 s rather than the 5 of a jump.
  Voice v(MakeRecord4());
  std::vector<int16_t> out;
  v.Play(Pulling(3000.0f), 3, out);
  const double before = v.voice.firing + v.voice.firing_phase;
  v.Play(Pulling(6000.0f), 1, out);
  const double after = v.voice.firing + v.voice.firing_phase;
  EXPECT_NEAR(3.75, std::fmod(after - before + 6.0, 6.0), 0.01);
}

// Against the note of the engine pulling at the same speed: the limiter's cut must be heard as
// a drop, the overrun is softer, a free-revving engine a little softer; a spinning tyre adds
// its squeal around its own pitch.
TEST(EngineVoice, LoudnessTellsHowTheEngineRuns) {
  // Each state's loudness over the pulling engine's lies between low and high.
  const struct { const char* name; EngineSoundState state; double low, high; } cases[] = {
      {"cut", {9990.0f, true, false, true}, 0.0, 0.4},
      {"overrun", {9990.0f}, 0.2, 0.7},
      {"free revving", {9990.0f, true, true}, 0.6, 0.95}};
  for (const auto& c : cases) {
    Voice v(MakeRecord4());
    std::vector<int16_t> out;
    v.Play(Pulling(9990.0f), 6, out);
    const double pulling = Rms(out.data() + 3 * kFrame, 3 * kFrame);
    // One frame of the other state: a limiter cut lasts two or three.
    v.Play(c.state, 2, out);
    const double other = Rms(out.data() + 7 * kFrame, kFrame);
    EXPECT_GT(other, c.low * pulling) << c.name;
    EXPECT_LT(other, c.high * pulling) << c.name;
  }

  Voice grip(MakeRecord4()), spin(MakeRecord4());
  std::vector<int16_t> gripOut, spinOut;
  grip.Play(Pulling(4000.0f), 12, gripOut);
  spin.Play({4000.0f, true, false, false, 0.8f}, 12, spinOut);
  auto bandPower = [](const std::vector<int16_t>& s, double hz) {
    double sum = 0.0;
    for (double f = hz * 0.9; f <= hz * 1.1; f += 5.0) sum += Power(s, f);
    return sum;
  };
  EXPECT_GT(bandPower(spinOut, grip.voicing.squeal_hz), 10.0 * bandPower(gripOut, grip.voicing.squeal_hz));
}

// Whatever the next frame asks, the first sample of a frame follows on from the last one of
// the frame before it no more steeply than the note itself moves inside a frame.
TEST(EngineVoice, FramesJoinWithoutAClick) {
  // Pulling, a limiter cut, the overrun, a spinning tyre and idle.
  const EngineSoundState pull = Pulling(1500.0f), cut = {1500.0f, true, false, true};
  const EngineSoundState sequence[] = {
      pull, cut, pull, {1600.0f}, {1700.0f, true, false, false, 1.0f}, {800.0f, false, true},
      pull, cut};
  Voice v(MakeRecord4());
  std::vector<int16_t> out;
  for (int round = 0; round < 6; ++round) {
    for (const EngineSoundState& state : sequence) v.Play(state, 1, out);
  }
  int inside = 0, seam = 0;
  for (size_t i = 1; i < out.size(); ++i) {
    const int step = std::abs(out[i] - out[i - 1]);
    (i % kFrame == 0 ? seam : inside) = std::max(i % kFrame == 0 ? seam : inside, step);
  }
  EXPECT_LE(seam, inside);
}

// Speeds and slips no car model gives (NaN, infinities, far past the limit, negative) neither
// clip nor poison the voice: the next sane frame is the engine again.
TEST(EngineVoice, AnyInputStaysInRangeAndTheVoiceRecovers) {
  const float nan = std::nanf(""), inf = HUGE_VALF;
  const float speeds[] = {nan, inf, -inf, -5000.0f, 0.0f, 1.0e9f, 10000.0f};
  const float slips[] = {nan, inf, -1.0f, 1.0f, 50.0f};
  // Record 4, and the same car with five times its power: eight cylinders, the loudest voice;
  // each with its firing rate at 3000 rpm.
  const struct { CarSpec car; double firing_hz; } cars[] = {
      {MakeRecord4(), 150.0}, {Record4WithPower(5.0), 200.0}};
  for (const auto& [car, firingHz] : cars) {
    Voice v(car);
    std::vector<int16_t> out;
    for (float rpm : speeds) {
      for (float slip : slips) {
        for (int flags = 0; flags < 8; ++flags) {
          v.Play({rpm, (flags & 1) != 0, (flags & 2) != 0, (flags & 4) != 0, slip}, 1, out);
        }
      }
    }
    const auto extremes = std::minmax_element(out.begin(), out.end());
    EXPECT_GT(*extremes.first, -30000);
    EXPECT_LT(*extremes.second, 30000);
    out.clear();
    v.Play(Pulling(3000.0f), 12, out);
    EXPECT_NEAR(firingHz, DominantFrequency(out, 20.0, 2000.0), firingHz * 0.01);
  }
}

// Each firing period's loudness across a second of one state: its spread (standard deviation
// over mean) tells an even engine from a rough one. Record 4 idles at 800 rpm: 40 firings a
// second, all alike; on the overrun they stutter, under load they are even again.
TEST(EngineVoice, IdleIsSteadyAndTheOverrunRough) {
  auto spread = [](const EngineSoundState& state, double firingHz, double* pitch = nullptr) {
    Voice v(MakeRecord4());
    std::vector<int16_t> out;
    v.Play(state, 6, out);
    out.clear();
    v.Play(state, 60, out);
    if (pitch != nullptr) *pitch = DominantFrequency(out, 20.0, 2000.0);
    const double period = kEngineSampleRate / firingHz;  // samples
    std::vector<double> peaks;
    for (double at = 0.0; at + period < out.size(); at += period) {
      int peak = 0;
      for (size_t i = static_cast<size_t>(at); i < static_cast<size_t>(at + period); ++i) {
        peak = std::max(peak, std::abs(int(out[i])));
      }
      peaks.push_back(peak);
    }
    double mean = 0.0, square = 0.0;
    for (double p : peaks) mean += p / peaks.size();
    for (double p : peaks) square += (p - mean) * (p - mean) / peaks.size();
    return std::sqrt(square) / mean;
  };
  double idlePitch = 0.0;
  EXPECT_LT(spread({800.0f, false, true}, 40.0, &idlePitch), 0.1);
  EXPECT_NEAR(40.0, idlePitch, 0.4);
  EXPECT_GT(spread({4000.0f} /* overrun */, 200.0), 0.15);
  EXPECT_LT(spread(Pulling(4000.0f), 200.0), 0.1);
}
