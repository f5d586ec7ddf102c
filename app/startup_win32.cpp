// Start-up, shut-down and the orderly save, in the order the subsystems depend on each other.
#include "app/debug_log.h"
#include "app/frame_timer.h"
#include "app/frame_timer_win32.h"
#include "app/scene_state.h"
#include "app/settings.h"
#include "app/settings_win32.h"
#include "app/shell_win32.h"
#include "app/win_globals.h"

namespace {
// What start-up actually read; an exit writes back only those.
bool settings_read = false;
bool exit_saved = false;
}  // namespace

void ReadSettingsAtBoot() {
  ReadSettingsFile();
  settings_read = true;
}

bool StartUp(int32_t windowedMode) {
  physics_rate = 60;
  scene_state = SCENE_BOOT;
  race_mode = 0;

  if (!ReadCounterFrequency()) {
    ShowMessageBox("カウンター周期の取得失敗", "Error");
    return false;
  }
  if (!InitTimer(1000)) {
    ShowMessageBox("QueryTimeの初期化を行えませんでした。", "Error");
    return false;
  }
  StartFrameClock();
  return true;
}

void ShutDown() {
  ReleaseSceneSurfaces();
  ReleaseFrameClock();
  if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
}

void SaveOnExit() {
  if (exit_saved) return;
  exit_saved = true;
  if (settings_read) WriteSettingsFile();
}

void ReleaseSceneSurfaces() {}

bool RebuildDisplay(int32_t windowedMode) { return true; }
