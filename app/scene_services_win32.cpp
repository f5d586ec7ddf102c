// The dispatcher's services, bound to the game's real subsystems.
#include "app/frame_timer_win32.h"
#include "app/scene_state.h"
#include "app/settings.h"
#include "app/shell_win32.h"
#include "app/step_trace_win32.h"
#include "input/input_win32.h"
#include "race/race_frame_win32.h"
#include "race/race_setup_win32.h"
#include "race/race_view_d3d.h"
#include "screens/car_select_win32.h"
#include "screens/options_win32.h"
#include "screens/records_win32.h"
#include "screens/title_win32.h"

namespace {
class GameServices final : public SceneServices {
 public:
  void ReadConfiguration() override { ReadSettingsAtBoot(); }
  bool StartUp() override {
    // Keys count only once the game runs: after a failed start-up an Esc or F2 would turn
    // the exit into the title or build a display and flip the mode the exit writes.
    shell_booted = ::StartUp(windowed);
    return shell_booted;
  }
  void ShutDown() override { ::ShutDown(); }
  void SetCursorVisible(int flag) override { ::SetCursorVisible(flag); }
  void SaveOnExit() override { ::SaveOnExit(); }
  void PollJoystickIntoKeys() override { ::PollJoystickIntoKeys(); }

  void EnterTitle() override { ::EnterTitle(); }
  void TitleFrame() override { ::TitleFrame(); }
  void ResetRace() override { ::ResetRace(); }
  void ApplyRaceView() override {
    ::ApplyRaceView();
    TraceStep("race view");
  }
  void EnterRace() override { ::EnterRace(); }
  void RaceFrame() override { ::RaceFrame(); }
  void EnterRecords() override { ::EnterRecords(); }
  void RecordsFrame() override { ::RecordsFrame(); }
  void EnterResult() override { ::EnterResult(); }
  void ResultFrame() override { ::ResultFrame(); }
  void EnterCarSelect() override { ::EnterCarSelect(); }
  void CarSelectFrame() override { ::CarSelectFrame(); }
  void EnterOptions() override { ::EnterOptions(); }
  void OptionsFrame() override { ::OptionsFrame(); }
};
}  // namespace

SceneServices& GameSceneServices() {
  static GameServices services;
  return services;
}
