// The dispatcher's services, bound to the game's real subsystems.
#include "app/frame_timer_win32.h"
#include "app/scene_state.h"
#include "app/settings.h"
#include "app/shell_win32.h"
#include "display/bitmap_surface_win32.h"
#include "display/display_win32.h"
#include "display/drawing_win32.h"
#include "input/input_win32.h"
#include "input/key_state.h"

namespace {
class GameServices final : public SceneServices {
 public:
  void ReadConfiguration() override { ReadSettingsAtBoot(); }
  bool StartUp() override {
    const bool started = ::StartUp(windowed);
    shell_booted = true;
    return started;
  }
  void ShutDown() override { ::ShutDown(); }
  void SetCursorVisible(int flag) override { ::SetCursorVisible(flag); }
  void SaveOnExit() override { ::SaveOnExit(); }
  void PollJoystickIntoKeys() override { ::PollJoystickIntoKeys(); }

  void EnterTitle() override { EnterScene(SCENE_TITLE); }
  void TitleFrame() override { EmptyFrame(); }
  void ResetRace() override {}
  void ApplyRaceView() override {}
  void EnterRace() override { EnterScene(SCENE_RACE_RESET); }
  void RaceFrame() override { EmptyFrame(); }
  void EnterRecords() override { EnterScene(SCENE_RECORDS); }
  void RecordsFrame() override { EmptyFrame(); }
  void EnterResult() override { EnterScene(SCENE_RESULT); }
  void ResultFrame() override { EmptyFrame(); }
  void EnterCarSelect() override { EnterScene(SCENE_CAR_SELECT); }
  void CarSelectFrame() override { EmptyFrame(); }
  void EnterOptions() override { EnterScene(SCENE_OPTIONS); }
  void OptionsFrame() override { EmptyFrame(); }

 private:
  // Until a scene has its own pictures, entering it only swaps the last scene's for the
  // small font.
  static void EnterScene(int32_t frameState) {
    ReleaseSceneSurfaces();
    LoadSmallFont();
    if (scene_state != SCENE_EXIT) scene_state = frameState;
  }

  // Until a scene draws, its frame reads the keys and is black with the frame rate in the
  // corner.
  static void EmptyFrame() {
    if (!RecoverLostPictures()) return;
    if (ReadFrameInput()) RememberKeyState();
    FillBackBuffer(display_context.clear_rect, PackColor(0, 0, 0));
    DrawFrameRate();
    PresentFrame();
  }
};
}  // namespace

SceneServices& GameSceneServices() {
  static GameServices services;
  return services;
}
