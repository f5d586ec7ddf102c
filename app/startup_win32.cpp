// Start-up, shut-down and the orderly save, in the order the subsystems depend on each other.
#include "app/debug_log.h"
#include "app/frame_timer.h"
#include "app/frame_timer_win32.h"
#include "app/scene_state.h"
#include "app/settings.h"
#include "app/settings_win32.h"
#include "app/shell_win32.h"
#include "app/step_trace_win32.h"
#include "app/win_globals.h"
#include "data/car_data_loader.h"
#include "data/car_record.h"
#include "data/save_file.h"
#include "race/race_setup_win32.h"
#include "race/race_state.h"
#include "race/race_trace_win32.h"
#include "race/race_view_d3d.h"
#include "screens/car_select_win32.h"
#include "screens/options_win32.h"
#include "screens/records_win32.h"
#include "screens/title_win32.h"
#include "input/input_win32.h"
#include "input/key_state.h"
#include "sound/engine_sound_win32.h"
#include "sound/sound_win32.h"
#include "display/bitmap_surface_win32.h"
#include "display/display_win32.h"
#include "display/drawing_win32.h"
#include "display/shown_picture.h"

namespace {
// What start-up actually read; an exit writes back only those.
bool settings_read = false;
bool exit_saved = false;

// The display in the given mode; on failure nothing of it is left held.
bool CreateDisplayIn(int32_t windowedMode) {
  if (CreateDisplay(window, kPictureWidth, kPictureHeight, windowedMode, software_device)) {
    return true;
  }
  ReleaseDisplay();
  return false;
}

// The display in the asked mode, or in a window when full screen cannot be had (a desktop
// that cannot change its mode). `windowed` then names the mode the game really runs in, so
// the setting stored at exit can never keep the next start from opening.
bool CreateGameDisplay(int32_t windowedMode) {
  bool made = CreateDisplayIn(windowedMode);
  if (!made && windowedMode == 0) {
    WriteLog("フルスクリーンにできないため、ウィンドウで表示します\n");
    made = CreateDisplayIn(1);
    if (made) windowedMode = 1;
  }
  if (!made) {
    WriteLog("初期化失敗\n");
    return false;
  }
  windowed = windowedMode;
  // For tools outside the game (the soak's probe): under Wine the window's caption and size do
  // not always tell full screen from a window, the game itself does. 1 window, 2 full screen.
  SetPropA(window, kDisplayModeProperty,
           reinterpret_cast<HANDLE>(static_cast<intptr_t>(windowed != 0 ? 1 : 2)));
  return true;
}

// The pictures of the scene that is running, loaded again after the display was rebuilt or
// its surfaces were lost. Each scene's loader belongs in its case; an entry state loads its
// own pictures on its next pass, so it needs none here.
void ReloadRunningScenePictures() {
  switch (scene_state) {
    case SCENE_TITLE:
      LoadTitleArt();
      break;
    // EnterRace loaded the race's resources on the pass before the reset; a rebuild between
    // the two has just released them, so the reset state reloads them like the race itself.
    case SCENE_RACE_RESET:
    case SCENE_RACE:
      LoadRaceResources();
      ApplyRaceView();
      break;
    case SCENE_RECORDS:
    case SCENE_RESULT:
      LoadRecordArt();
      break;
    case SCENE_CAR_SELECT:
      LoadCarSelectArt();
      break;
    case SCENE_OPTIONS:
      LoadOptionArt();
      break;
    default:
      break;
  }
}
}  // namespace

void ReadSettingsAtBoot() {
  ReadSettingsFile();
  settings_read = true;
  TraceStep("settings");
}

bool StartUp(int32_t windowedMode) {
  FillTachoScale();
  physics_rate = 60;
  button_capture = 0;
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
  TraceStep("timer");

  // A failure here has already destroyed the window; the loop ends without the exit scene.
  if (!CreateInput(instance, window)) {
    ShowMessageBox("DirectInputの初期化失敗", "Error");
    return false;
  }
  TraceStep("input");
  CreateSound(window);  // the game runs the same without sound objects
  TraceStep("sound");

  if (!LoadCarData()) ShowMessageBox("カーデータの読み込みに失敗", "error");
  TraceStep("car data");
  // After the car table: the default records draw car names from it.
  ReadSaveFile();
  // A file that is there but could not be read (another program holds it) is left alone at
  // exit, so whatever the player achieves now is lost: say so before the first race.
  if (!RecordsMayBeWritten()) {
    ShowMessageBox("セーブデータを読み込めませんでした。今回の記録は保存されません。", "error");
  }
  TraceStep("save file");

  if (!CreateGameDisplay(windowedMode)) return false;
  TraceStep("display");
  race_state = RaceState{};
  return true;
}

void ShutDown() {
  ReleaseSceneSurfaces();
  SettleEngineSound();
  ReleaseSound();
  ReleaseInput();
  ReleaseFrameClock();
  WriteRaceTrace();
  WriteStepTrace();
  ReleaseCarData();
  ReleaseDisplay();
  if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
}

void SaveOnExit() {
  if (exit_saved) return;
  exit_saved = true;
  // WriteSaveFile itself refuses while the records were never read.
  WriteSaveFile();
  if (settings_read) WriteSettingsFile();
}

void ReleaseSceneSurfaces() {
  ReleaseTitleArt();
  ReleaseCarSelectArt();
  ReleaseRecordArt();
  ReleaseRaceResources();
  ReleaseOptionArt();
  ReleaseSharedFonts();
}

bool RebuildDisplay(int32_t windowedMode) {
  ForgetShownPicture(shown_picture);
  ReleaseSceneSurfaces();
  ReleaseDisplay();
  if (!CreateGameDisplay(windowedMode)) return false;
  LoadSmallFont();
  ReloadRunningScenePictures();
  return true;
}

bool RecoverLostPictures() {
  const int32_t running = scene_state;
  switch (TakeLostPictureStep()) {
    case LostPictureStep::kReload:
      // Restoring gave the surfaces their memory back, not their pictures.
      ForgetShownPicture(shown_picture);
      ReleaseSceneSurfaces();
      LoadSmallFont();
      ReloadRunningScenePictures();
      break;
    case LostPictureStep::kRebuild:
      if (!RebuildDisplay(windowed)) scene_state = SCENE_EXIT;
      break;
    case LostPictureStep::kNothing:
    case LostPictureStep::kWait:
      break;
  }
  // A picture that failed to load has asked for the exit, which must not be overwritten by
  // this frame's keys.
  return scene_state == running;
}
