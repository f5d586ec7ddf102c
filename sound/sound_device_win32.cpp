// DirectSound and DirectMusic set-up and release.
#include "sound/sound_win32.h"

#include <dmusici.h>
#include <dsound.h>

namespace {

// The version-2 performance interface adds no methods to the first one; only its IID differs,
// and asking for it tells DirectMusic which behaviour the caller expects.
using IDirectMusicPerformance2 = IDirectMusicPerformance;

IDirectSound* direct_sound = nullptr;
IDirectMusicPerformance2* music_performance = nullptr;
IDirectMusicLoader* music_loader = nullptr;

// CoInitialize and CoUninitialize must pair up on the thread. The normal exit releases the
// sound twice, and uninitialising COM a second time would undo a CoInitialize that someone
// else on the thread made, so only a CoInitialize that succeeded here is ever balanced.
bool com_initialized = false;

template <typename Interface>
void ReleaseHandle(Interface*& handle) {
  if (handle != nullptr) {
    handle->Release();
    handle = nullptr;
  }
}

// An initialised performance holds ports and a thread of its own that only CloseDown gives
// back; releasing it without that leaks them on Windows.
bool performance_initialized = false;

void ReleaseMusic() {
  ReleaseHandle(music_loader);
  if (music_performance != nullptr && performance_initialized) music_performance->CloseDown();
  performance_initialized = false;
  ReleaseHandle(music_performance);
}

bool FailMusic() {
  ReleaseMusic();
  return false;
}

}  // namespace

bool CreateSound(HWND hwnd) {
  // A second start-up must not leak the first one's objects or its COM use.
  ReleaseSound();

  if (FAILED(DirectSoundCreate(nullptr, &direct_sound, nullptr)) || direct_sound == nullptr) {
    direct_sound = nullptr;
    return false;
  }
  if (FAILED(direct_sound->SetCooperativeLevel(hwnd, DSSCL_NORMAL))) return false;

  // S_FALSE (already initialised on this thread) counts too: it must be balanced as well.
  com_initialized = SUCCEEDED(CoInitialize(nullptr));

  void* performance = nullptr;
  if (FAILED(CoCreateInstance(CLSID_DirectMusicPerformance, nullptr, CLSCTX_INPROC,
                              IID_IDirectMusicPerformance2, &performance)) ||
      performance == nullptr) {
    return FailMusic();
  }
  music_performance = static_cast<IDirectMusicPerformance2*>(performance);
  if (FAILED(music_performance->Init(nullptr, direct_sound, hwnd))) return FailMusic();
  performance_initialized = true;
  if (FAILED(music_performance->AddPort(nullptr))) return FailMusic();

  void* loader = nullptr;
  if (FAILED(CoCreateInstance(CLSID_DirectMusicLoader, nullptr, CLSCTX_INPROC,
                              IID_IDirectMusicLoader, &loader)) ||
      loader == nullptr) {
    return FailMusic();
  }
  music_loader = static_cast<IDirectMusicLoader*>(loader);
  return true;
}

void ReleaseSound() {
  ReleaseMusic();
  if (com_initialized) {
    CoUninitialize();
    com_initialized = false;
  }
  ReleaseHandle(direct_sound);
}

IDirectSound* SoundDevice() { return direct_sound; }

bool HasDirectSound() { return direct_sound != nullptr; }
bool HasMusicPerformance() { return music_performance != nullptr; }
bool HasMusicLoader() { return music_loader != nullptr; }
bool HoldsCom() { return com_initialized; }
