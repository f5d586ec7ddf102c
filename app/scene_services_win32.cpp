// The dispatcher's services, bound to the game's real subsystems.
#include "app/frame_timer_win32.h"
#include "app/scene_state.h"
#include "app/settings.h"
#include "app/shell_win32.h"

void ReadSettingsAtBoot();

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
  void PollJoystickIntoKeys() override {}

  void EnterTitle() override { EnterScene(SCENE_TITLE); }
  void TitleFrame() override { WaitForFrame(); }
  void ResetRace() override {}
  void ApplyRaceView() override {}
  void EnterRace() override { EnterScene(SCENE_RACE_RESET); }
  void RaceFrame() override { WaitForFrame(); }
  void EnterRecords() override { EnterScene(SCENE_RECORDS); }
  void RecordsFrame() override { WaitForFrame(); }
  void EnterResult() override { EnterScene(SCENE_RESULT); }
  void ResultFrame() override { WaitForFrame(); }
  void EnterCarSelect() override { EnterScene(SCENE_CAR_SELECT); }
  void CarSelectFrame() override { WaitForFrame(); }
  void EnterOptions() override { EnterScene(SCENE_OPTIONS); }
  void OptionsFrame() override { WaitForFrame(); }

 private:
  // Until a scene has its own pictures, entering it only clears the last scene's.
  static void EnterScene(int32_t frameState) {
    ReleaseSceneSurfaces();
    if (scene_state != SCENE_EXIT) scene_state = frameState;
  }
};
}  // namespace

SceneServices& GameSceneServices() {
  static GameServices services;
  return services;
}
