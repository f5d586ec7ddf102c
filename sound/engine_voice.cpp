#include "sound/engine_voice.h"

#include <algorithm>
#include <cmath>

#include "data/torque_curve.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;

// Smoothing of loudness and tone, per sample: a time constant of 4 ms is short enough for
// the limiter's cut of a frame or two to be heard as a stutter, long enough to leave no step.
const float kSmoothing = static_cast<float>(1.0 - std::exp(-1.0 / (0.004 * kEngineSampleRate)));
// The squeal's pitch wanders over about 30 ms.
const float kWarbleSmoothing = static_cast<float>(1.0 - std::exp(-1.0 / (0.03 * kEngineSampleRate)));
// The noise burst of a firing dies away in about 3 ms.
const float kCombustionDecay = static_cast<float>(std::exp(-1.0 / (0.003 * kEngineSampleRate)));
// The burst is low-passed at about 700 Hz: a thud, not a hiss.
const float kRumbleSmoothing = static_cast<float>(1.0 - std::exp(-kTwoPi * 700.0 / kEngineSampleRate));

constexpr float kFullScale = 32767.0f;
constexpr float kOverRevFactor = 1.25f;  // the note follows the speed this far past the limit

// The tone of each way the engine can run.
struct VoiceTarget {
  float gain;       // loudness of the note before the engine speed's share, 0..1
  float hardness;   // 0 the soft wave .. 1 the hard wave
  float roughness;  // 0..1: how much a firing's loudness varies at random
  float pops;       // chance that a firing is a loud pop (a rich mixture burning late)
};
constexpr VoiceTarget kPulling = {1.0f, 1.0f, 0.1f, 0.0f};    // throttle, engine driving
constexpr VoiceTarget kFreeRev = {0.75f, 0.7f, 0.1f, 0.0f};   // throttle, clutch held
constexpr VoiceTarget kCut = {0.25f, 0.1f, 0.6f, 0.0f};        // the limiter cuts the ignition
constexpr VoiceTarget kOverrun = {0.5f, 0.15f, 0.55f, 0.05f};  // engine braking
constexpr VoiceTarget kIdle = {0.55f, 0.35f, 0.04f, 0.0f};     // throttle shut, running free

uint32_t NextNoise(uint32_t& state) {
  state = state * 1664525u + 1013904223u;
  return state;
}
float Unit(uint32_t& state) { return static_cast<float>(NextNoise(state) >> 8) * (1.0f / 16777216.0f); }
float Signed(uint32_t& state) { return Unit(state) * 2.0f - 1.0f; }

// Anything but a finite number in range becomes the nearest safe value.
float Clamp(float value, float low, float high) {
  if (!(value >= low)) return low;  // NaN included
  return value > high ? high : value;
}

// One firing period as a sum of sines with weights k^-rolloff, scaled to the loudness (root
// mean square) `rms`. Returns its peak.
double FillFiringWave(float (&wave)[kFiringWaveSize + 1], double rolloff, double rms) {
  double values[kFiringWaveSize];
  double power = 0.0;
  for (int i = 0; i < kFiringWaveSize; ++i) {
    const double phase = kTwoPi * i / kFiringWaveSize;
    double sum = 0.0;
    for (int k = 1; k <= kFiringHarmonics; ++k) sum += std::pow(k, -rolloff) * std::sin(k * phase);
    values[i] = sum;
    power += sum * sum;
  }
  const double scale = rms / std::sqrt(power / kFiringWaveSize);
  double peak = 0.0;
  for (int i = 0; i < kFiringWaveSize; ++i) {
    wave[i] = static_cast<float>(values[i] * scale);
    peak = std::max(peak, std::fabs(values[i] * scale));
  }
  wave[kFiringWaveSize] = wave[0];
  return peak;
}

const VoiceTarget& TargetFor(const EngineVoicing& voicing, const EngineSoundState& state,
                             float rpm) {
  if (state.throttle) {
    if (state.limiter_cut) return kCut;
    return state.disengaged ? kFreeRev : kPulling;
  }
  // The wheels drive the engine well above its idle: it brakes the car.
  if (!state.disengaged && rpm > voicing.idle_rpm * 1.3f) return kOverrun;
  return kIdle;
}

}  // namespace

int32_t VoiceCylinders(float peakPowerPs, int32_t revLimit) {
  if (revLimit >= 16000) return 10;
  if (peakPowerPs >= 600.0f) return 8;
  if (peakPowerPs >= 290.0f) return 6;
  return 4;
}

void MakeEngineVoicing(const CarSpec& car, int32_t revLimit, EngineVoicing& voicing) {
  voicing = EngineVoicing{};
  voicing.limit_rpm = static_cast<float>(std::clamp(revLimit, 1000, 30000));
  voicing.idle_rpm = Clamp(static_cast<float>(car.idle_rpm), 300.0f, voicing.limit_rpm * 0.5f);

  float torque = 0.0f;
  int32_t powerRpm = 0, torqueRpm = 0;
  ScanTorqueCurve(car.torque_curve, voicing.peak_power, powerRpm, torque, torqueRpm,
                  kTorqueCurveStepRpm, static_cast<int32_t>(voicing.limit_rpm) + 1,
                  kTorqueCurveStepRpm);
  voicing.peak_power = Clamp(voicing.peak_power, 0.0f, 5000.0f);
  voicing.cylinders = VoiceCylinders(voicing.peak_power, static_cast<int32_t>(voicing.limit_rpm));

  // A mid engine breathes and barks behind the driver: the brightest; a front engine driving
  // the front wheels is heard through the bulkhead: the dullest.
  double rolloff;
  switch (car.drive_layout) {
    case 0: rolloff = 0.95; break;  // FF
    case 1: rolloff = 0.75; break;  // FR
    case 2: rolloff = 0.55; break;  // MR
    default: rolloff = 0.85; break; // 4WD: the front engine of a heavier car
  }
  // Equally loud, so that the loudness of the note is its gain alone; the hard wave's peak is 1.
  const double hardPeak = FillFiringWave(voicing.hard_wave, rolloff, 1.0);
  FillFiringWave(voicing.hard_wave, rolloff, 1.0 / hardPeak);
  FillFiringWave(voicing.soft_wave, rolloff + 1.2, 1.0 / hardPeak);

  // A high idle speed is a racing camshaft: the firings of one cycle differ audibly.
  voicing.lope = Clamp((voicing.idle_rpm - 600.0f) / 2500.0f, 0.06f, 0.4f);
  for (int i = 0; i < voicing.cylinders; ++i) {
    // The golden-ratio sequence: uneven, the same for every run of the same car.
    const double unevenness = std::fmod(i * 0.6180339887498949 + 0.5, 1.0);
    voicing.accent[i] = static_cast<float>(1.0 - voicing.lope * unevenness);
  }
  voicing.level = Clamp(0.42f + 0.1f * std::log2(std::max(voicing.peak_power, 1.0f) / 250.0f),
                     0.36f, 0.6f);

  // Four driven tyres scrub lower; otherwise a smaller tyre squeals higher.
  if (car.drive_layout == 3) {
    voicing.squeal_hz = 950.0f;
  } else {
    const float radius = Clamp(car.tyre_radius, 0.1f, 1.0f);  // m
    voicing.squeal_hz = Clamp(1400.0f * 0.3f / radius, 900.0f, 2000.0f);
  }
}

void StartEngineVoice(EngineVoice& voice, const EngineVoicing& voicing) {
  voice = EngineVoice{};
  voice.heard.rpm = voicing.idle_rpm;
  voice.heard.disengaged = true;
  voice.firing_loudness = voicing.accent[0];
  voice.noise = 0x2545F491u;
  voice.tyre_noise = 0x9E3779B9u;
}

double FiringFrequency(const EngineVoicing& voicing, double rpm) {
  return rpm / 60.0 * voicing.cylinders * 0.5;
}

void RenderEngineVoice(EngineVoice& voice, const EngineVoicing& voicing,
                       const EngineSoundState& state, int16_t* out, int count) {
  if (count <= 0) return;
  const float topRpm = voicing.limit_rpm * kOverRevFactor;
  const float fromRpm = Clamp(voice.heard.rpm, 0.0f, topRpm);
  const float toRpm = Clamp(state.rpm, 0.0f, topRpm);
  const VoiceTarget& target = TargetFor(voicing, state, toRpm);
  // Louder as it revs; a stopping engine fades out rather than holding one point of its wave.
  const float revShare = 0.55f + 0.45f * toRpm / voicing.limit_rpm;
  const float running = Clamp(toRpm / (voicing.idle_rpm * 0.5f), 0.0f, 1.0f);
  const float gainTarget = target.gain * std::min(revShare, 1.0f) * running;
  // The squeal starts once the wheels really spin, not at the model's smallest slip.
  const float slip = state.disengaged ? 0.0f : Clamp(state.wheel_slip, 0.0f, 1.0f);
  const float tyreTarget = Clamp((slip - 0.03f) * 4.0f, 0.0f, 1.0f);

  const double firingsPerRpmSample = voicing.cylinders * 0.5 / 60.0 / kEngineSampleRate;
  const double rpmStep = (static_cast<double>(toRpm) - fromRpm) / count;
  const double squealStep = voicing.squeal_hz / static_cast<double>(kEngineSampleRate);
  const float level = voicing.level * kFullScale;
  int cylinders = std::clamp(voicing.cylinders, 1, kMaxCylinders);

  for (int i = 0; i < count; ++i) {
    voice.gain += (gainTarget - voice.gain) * kSmoothing;
    voice.hardness += (target.hardness - voice.hardness) * kSmoothing;
    voice.tyre_gain += (tyreTarget - voice.tyre_gain) * kSmoothing;

    const double rpm = fromRpm + rpmStep * (i + 1);
    voice.firing_phase += rpm * firingsPerRpmSample;
    if (voice.firing_phase >= 1.0) {
      // A new firing: the wave is at 0 here, so its loudness may change without a step.
      voice.firing_phase -= std::floor(voice.firing_phase);
      voice.firing = (voice.firing + 1) % cylinders;
      float loudness = voicing.accent[voice.firing] * (1.0f - target.roughness * Unit(voice.noise));
      // Pops only once the note has fallen to the overrun's loudness, so they never clip.
      if (target.pops > 0.0f && voice.gain < 0.6f && Unit(voice.noise) < target.pops) {
        loudness = 1.5f;
      }
      voice.firing_loudness = loudness;
      voice.combustion = 1.0f;
    }

    const double at = voice.firing_phase * kFiringWaveSize;
    const int index = std::min(static_cast<int>(at), kFiringWaveSize - 1);
    const float fraction = static_cast<float>(at - index);
    const float soft = voicing.soft_wave[index] + (voicing.soft_wave[index + 1] - voicing.soft_wave[index]) * fraction;
    const float hard = voicing.hard_wave[index] + (voicing.hard_wave[index + 1] - voicing.hard_wave[index]) * fraction;
    const float wave = soft + (hard - soft) * voice.hardness;

    // The burst of each firing, low-passed into a thud that hardens the note under load.
    voice.rumble += (Signed(voice.noise) * voice.combustion - voice.rumble) * kRumbleSmoothing;
    voice.combustion *= kCombustionDecay;
    float sample = (wave * voice.firing_loudness + voice.rumble * 0.5f * voice.hardness) *
                   voice.gain * 0.8f;

    if (voice.tyre_gain > 1.0e-4f) {
      voice.warble += (Signed(voice.tyre_noise) - voice.warble) * kWarbleSmoothing;
      voice.squeal_phase += squealStep * (1.0 + 0.6 * voice.warble);
      voice.squeal_phase -= std::floor(voice.squeal_phase);
      const float squeal = static_cast<float>(std::sin(kTwoPi * voice.squeal_phase));
      sample += (squeal * 0.8f + Signed(voice.tyre_noise) * 0.1f) * voice.tyre_gain * 0.35f;
    }
    const float scaled = Clamp(sample * level, -kFullScale, kFullScale);
    out[i] = static_cast<int16_t>(std::lrint(scaled));
  }
  voice.heard = state;
  voice.heard.rpm = toRpm;
}
