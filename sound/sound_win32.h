// The sound objects: a DirectSound object for the game window and a DirectMusic performance
// and loader on top of it. The game carries no sound data; the engine it hears is made as it
// runs (sound/engine_sound_win32.h) and played on this DirectSound object.
#pragma once

#include <windows.h>

// True when all three objects exist. A machine without sound hardware or without DirectMusic
// (a 64-bit process, Wine) gets false and the game runs the same; nothing is shown or logged.
bool CreateSound(HWND hwnd);

// Releases the loader, the performance and the DirectSound object, and ends this thread's COM
// use if CreateSound began it. A second call releases nothing and leaves COM alone.
void ReleaseSound();

// The DirectSound object, or null without a sound device.
struct IDirectSound;
IDirectSound* SoundDevice();

// For tests: which of the objects exist, and whether COM is held for them.
bool HasDirectSound();
bool HasMusicPerformance();
bool HasMusicLoader();
bool HoldsCom();
