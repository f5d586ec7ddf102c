#include "sound/engine_sound_win32.h"

#include <dsound.h>

#include <cstring>

#include "app/frame_timer.h"
#include "app/settings.h"
#include "sound/engine_sound_state.h"
#include "sound/engine_voice.h"
#include "sound/sound_ring.h"
#include "sound/sound_win32.h"

namespace {

// About 370 ms: far more than a frame's lead, so that a late frame finds its place again.
constexpr uint32_t kRingSamples = 16384;
// What each frame writes past the play cursor: a frame's new state is heard 24 to 40 ms
// later (it starts where the last frame's lead ended), well inside 50 ms, and a frame up to
// 24 ms late still finds sound waiting.
constexpr uint32_t kLeadSamples = kEngineSampleRate * 40 / 1000;
// Beyond the lead, the same engine for four more frames, which the next frame writes over: a
// frame late by up to 108 ms in all is covered by a seamless note rather than a gap (on two
// shared cores frames of 75 to 81 ms were seen; at 34 ms of padding each was heard as a
// click). The padding fades out over its last 5 ms into silence, which fills the rest of the
// buffer, so that a longer stall (or the way out of the race, when no frame feeds it) is heard
// as a gap, never as the old sound the buffer held a loop ago.
constexpr uint32_t kPaddingSamples = kEngineSampleRate * 68 / 1000;
constexpr uint32_t kFadeSamples = kEngineSampleRate * 5 / 1000;
static_assert(kLeadSamples + kPaddingSamples < kRingSamples / 2,
              "the write ahead must stay within half the buffer");
constexpr DWORD kBytesPerSample = 2;
// After the last buffer stops, the device's mixer goes on a few 10 ms periods before it finds
// nothing more to play and stops the stream.
constexpr uint32_t kDeviceSettleMs = 150;

IDirectSoundBuffer* engine_buffer = nullptr;
bool engine_playing = false;
bool engine_played = false;  // since the game started
uint32_t stopped_ms = 0;     // ReadTimer() when it last stopped
uint32_t written_end = 0;  // samples: where the last frame's own samples ended
EngineVoicing car_voicing;
EngineVoice voice;
EngineSoundState heard;
CarSpec voice_car;  // the race's car, as the race was set up
int16_t staging[kRingSamples];

// Copies `count` staged samples to the buffer at sample `start`; false if the buffer was lost
// (it is then restored and must be started again).
bool CopyToBuffer(uint32_t start, uint32_t count) {
  void* first = nullptr;
  void* second = nullptr;
  DWORD firstBytes = 0, secondBytes = 0;
  HRESULT result = engine_buffer->Lock(start * kBytesPerSample, count * kBytesPerSample, &first,
                                       &firstBytes, &second, &secondBytes, 0);
  if (result == DSERR_BUFFERLOST) {
    engine_buffer->Restore();
    return false;
  }
  if (FAILED(result)) return true;
  std::memcpy(first, staging, firstBytes);
  if (second != nullptr) {
    std::memcpy(second, reinterpret_cast<const char*>(staging) + firstBytes, secondBytes);
  }
  engine_buffer->Unlock(first, firstBytes, second, secondBytes);
  return true;
}

// This frame's samples from `start` up to the lead, then the padding, then silence up to the
// play cursor `play` (the span the device is mixing lies before `start`, and is left alone).
bool WriteFrame(uint32_t start, uint32_t count, uint32_t play) {
  RenderEngineVoice(voice, car_voicing, heard, staging, static_cast<int>(count));
  EngineVoice padding = voice;
  RenderEngineVoice(padding, car_voicing, heard, staging + count, kPaddingSamples);
  int16_t* fade = staging + count + kPaddingSamples - kFadeSamples;
  for (uint32_t i = 0; i < kFadeSamples; ++i) {
    fade[i] = static_cast<int16_t>(fade[i] * static_cast<int32_t>(kFadeSamples - i) / kFadeSamples);
  }
  const uint32_t total = kRingSamples - (start + kRingSamples - play) % kRingSamples;
  std::memset(staging + count + kPaddingSamples, 0,
              (total - count - kPaddingSamples) * sizeof staging[0]);
  if (!CopyToBuffer(start, total)) return false;
  written_end = (start + count) % kRingSamples;
  return true;
}

// From the buffer's start, with a voice that fades in at the engine's present speed.
void StartPlaying() {
  StartEngineVoice(voice, car_voicing);
  voice.heard.rpm = heard.rpm;
  engine_buffer->SetCurrentPosition(0);
  if (!WriteFrame(0, kLeadSamples, 0)) return;
  HRESULT result = engine_buffer->Play(0, 0, DSBPLAY_LOOPING);
  if (result == DSERR_BUFFERLOST) {
    engine_buffer->Restore();
    return;
  }
  engine_playing = SUCCEEDED(result);
  engine_played = engine_played || engine_playing;
}

void ContinuePlaying() {
  DWORD play = 0, safe = 0;
  if (FAILED(engine_buffer->GetCurrentPosition(&play, &safe))) return;
  const RingWrite write = PlanRingWrite(written_end, play / kBytesPerSample,
                                        safe / kBytesPerSample, kLeadSamples, kRingSamples);
  if (write.skipped + kFadeSamples < kPaddingSamples) {
    // The padding played what the voice would have: move it on as far, so that what follows
    // joins it.
    if (write.skipped > 0) RenderEngineVoice(voice, car_voicing, voice.heard, staging, write.skipped);
  } else {
    // Past the padding a gap was heard: the note comes back fading in, not with a click.
    voice.gain = 0.0f;
    voice.tyre_gain = 0.0f;
  }
  if (write.count == 0) return;
  if (!WriteFrame(write.start, write.count, play / kBytesPerSample)) engine_playing = false;
}

}  // namespace

void OpenEngineSound(const CarSpec& car) {
  CloseEngineSound();
  IDirectSound* device = SoundDevice();
  if (device == nullptr) return;

  WAVEFORMATEX format = {};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 1;
  format.nSamplesPerSec = kEngineSampleRate;
  format.wBitsPerSample = 16;
  format.nBlockAlign = kBytesPerSample;
  format.nAvgBytesPerSec = kEngineSampleRate * kBytesPerSample;
  DSBUFFERDESC description = {};
  description.dwSize = sizeof description;
  // The precise play cursor: the lead is measured from it.
  description.dwFlags = DSBCAPS_GETCURRENTPOSITION2;
  description.dwBufferBytes = kRingSamples * kBytesPerSample;
  description.lpwfxFormat = &format;
  if (FAILED(device->CreateSoundBuffer(&description, &engine_buffer, nullptr))) {
    engine_buffer = nullptr;
    return;
  }
  MakeEngineVoicing(car, TachoScaleFor(car).rev_limit, car_voicing);
  voice_car = car;
  heard = EngineSoundState{};
  heard.rpm = static_cast<float>(car.idle_rpm);
  written_end = 0;
}

void FeedEngineSound(const RaceState& race, const CarModelState& model, const uint8_t* keys) {
  if (engine_buffer == nullptr) return;
  heard = ReadEngineSoundState(voice_car, TachoScaleFor(voice_car), race, model, keys, heard,
                               physics_rate);
  if (engine_sound == 0) {
    if (engine_playing) {
      engine_buffer->Stop();
      stopped_ms = ReadTimer();
    }
    engine_playing = false;
    return;
  }
  if (engine_playing) {
    ContinuePlaying();
  } else {
    StartPlaying();
  }
}

void CloseEngineSound() {
  if (engine_buffer == nullptr) return;
  if (engine_playing) stopped_ms = ReadTimer();
  engine_buffer->Stop();
  engine_buffer->Release();
  engine_buffer = nullptr;
  engine_playing = false;
}

void SettleEngineSound() {
  if (!engine_played) return;
  const uint32_t since = ReadTimer() - stopped_ms;
  if (since < kDeviceSettleMs) Sleep(kDeviceSettleMs - since);
  engine_played = false;
}

bool HasEngineSound() { return engine_buffer != nullptr; }
bool EngineSoundPlays() { return engine_playing; }
