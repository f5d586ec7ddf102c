// The application shell's Windows side: start-up, shut-down and the display rebuild.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/scene_dispatcher.h"

// The one picture size of the game, in a window and in full screen.
constexpr int32_t kPictureWidth = 640;   // pixels
constexpr int32_t kPictureHeight = 480;  // pixels

// Runs the services in start-up order; false (after its message box or log line) when the
// game cannot run. Full screen that cannot be set opens a window instead, and `windowed`
// then says so.
bool StartUp(int32_t windowed);

// Releases everything and asks the window to close. Safe to call twice.
void ShutDown();

// Tears the display down and builds it again in the given mode (in a window when full screen
// cannot be set), sets `windowed` to the mode it runs in, then reloads the pictures of the
// running scene. false when the display could not be made.
bool RebuildDisplay(int32_t windowed);

// Reads .\vorta.ini at boot and remembers that it did, so the exit writes it back.
void ReadSettingsAtBoot();

// Reloads the running scene's pictures once surfaces that were lost are back; false when that
// ended the game. Run at the start of every frame.
bool RecoverLostPictures();

// Releases every scene's pictures and models and the shared fonts.
void ReleaseSceneSurfaces();

// Writes the save file and the settings, once, and only what was actually read at start-up:
// a run that failed before reading them must not replace the player's files.
void SaveOnExit();

// Flag 1 shows the mouse cursor, anything else hides it, whatever the display counter was.
void SetCursorVisible(int flag);

// The scene services the dispatcher runs, implemented with the real subsystems.
SceneServices& GameSceneServices();

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Esc, F2 and (in the race) F1 and F3; 1 when the key was consumed.
int OnKeyDown(HWND hwnd, UINT message, WPARAM virtualKey, LPARAM lParam);

// True once the boot step has started the game; keys that arrive before it, or after a
// start-up that failed, are ignored.
extern bool shell_booted;
