// The engine's note, made from the car model's state of each frame: no sound data, one firing
// note with its harmonics that follows the engine speed, and a tyre squeal while the wheels
// spin. Portable: no Windows header; deterministic (its own noise generator) and cheap (a few
// multiplications and two table reads a sample).
#pragma once

#include <cstdint>

#include "data/car_record.h"

constexpr int32_t kEngineSampleRate = 44100;  // Hz, 16-bit mono: the rate the mixer runs at
constexpr int kFiringWaveSize = 1024;         // points of one firing period
constexpr int kFiringHarmonics = 8;           // partials of the firing note
constexpr int kMaxCylinders = 10;

// What the engine does in one frame, read from the race after the car model's step.
struct EngineSoundState {
  float rpm = 0.0f;          // engine speed
  bool throttle = false;     // the player's throttle is open
  bool disengaged = false;   // clutch held or the lever in a neutral cell: the engine runs free
  bool limiter_cut = false;  // the rev limiter cuts the ignition
  float wheel_slip = 0.0f;   // 0 grip .. 1 the driven wheels spin with the car at rest
};

// One car's voice, derived once from its record when the race is set up.
struct EngineVoicing {
  int32_t cylinders = 4;     // firings per two revolutions
  float idle_rpm = 800.0f;   // rpm
  float limit_rpm = 10000.0f;  // rpm: the rev limit
  float peak_power = 0.0f;   // ps
  float level = 0.4f;        // share of full scale at full throttle at the limit
  float lope = 0.0f;         // 0..1: how unevenly the firings of one cycle sound (a lumpy cam)
  float squeal_hz = 1400.0f; // centre of the tyre squeal
  float accent[kMaxCylinders] = {};  // loudness of each firing of the two-revolution cycle
  // One firing period (and its first point again, for the interpolation at the end), both
  // equally loud, the hard one peaking at 1, starting and ending at 0 so that a firing may
  // change its loudness without a click.
  float hard_wave[kFiringWaveSize + 1] = {};  // under load: bright
  float soft_wave[kFiringWaveSize + 1] = {};  // off the throttle: dull
};

// The voice's running state between frames.
struct EngineVoice {
  EngineSoundState heard;       // the state the last frame ended on
  double firing_phase = 0.0;    // 0..1 through the current firing period
  int32_t firing = 0;           // which firing of the cycle sounds now
  float firing_loudness = 0.0f; // this firing's loudness, 0..1.5
  float gain = 0.0f;            // smoothed loudness of the note, 0..1
  float hardness = 0.0f;        // smoothed mix of the soft (0) and hard (1) waves
  float tyre_gain = 0.0f;       // smoothed loudness of the squeal, 0..1
  float combustion = 0.0f;      // envelope of the noise burst of the last firing
  float rumble = 0.0f;          // low-passed combustion noise
  double squeal_phase = 0.0;    // 0..1
  float warble = 0.0f;          // slowly wandering pitch of the squeal, -1..1
  uint32_t noise = 1;           // state of the engine's noise generator
  uint32_t tyre_noise = 1;      // the tyres' own, so that a squeal leaves the engine as it was
};

// The cylinders the voice gives a car: 10 for an engine that revs to 16000 rpm or more, 8 for
// 600 ps or more, 6 for 290 ps or more, 4 below.
int32_t VoiceCylinders(float peakPowerPs, int32_t revLimit);

// The voice of a car: firing order from its power and rev limit, unevenness from its idle
// speed, brightness from where its engine sits (drive layout), loudness from its power, the
// squeal from its drive and tyre size.
void MakeEngineVoicing(const CarSpec& car, int32_t revLimit, EngineVoicing& voicing);

// A silent voice at the car's idle speed: the next frame fades in.
void StartEngineVoice(EngineVoice& voice, const EngineVoicing& voicing);

// The frequency of the firing note at an engine speed, Hz.
double FiringFrequency(const EngineVoicing& voicing, double rpm);

// `count` samples of one frame: the engine speed glides from the last frame's to `state.rpm`
// across them and the loudness and tone move smoothly toward what `state` asks, so two frames
// join without a click. Any input is safe (NaN, infinities, negative speeds).
void RenderEngineVoice(EngineVoice& voice, const EngineVoicing& voicing,
                       const EngineSoundState& state, int16_t* out, int count);
