#include "app/scene_dispatcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/scene_state.h"
#include "app/settings.h"

namespace {
// Records which services a pass called, in order.
class RecordingServices final : public SceneServices {
 public:
  std::vector<std::string> calls;
  bool start_up_result = true;

  void ReadConfiguration() override { calls.push_back("ReadConfiguration"); }
  bool StartUp() override {
    calls.push_back("StartUp");
    return start_up_result;
  }
  void ShutDown() override { calls.push_back("ShutDown"); }
  void SetCursorVisible(int flag) override { calls.push_back("SetCursorVisible" + std::to_string(flag)); }
  void SaveOnExit() override { calls.push_back("SaveOnExit"); }
  void PollJoystickIntoKeys() override { calls.push_back("Poll"); }
  void EnterTitle() override { calls.push_back("EnterTitle"); }
  void TitleFrame() override { calls.push_back("TitleFrame"); }
  void ResetRace() override { calls.push_back("ResetRace"); }
  void ApplyRaceView() override { calls.push_back("ApplyRaceView"); }
  void EnterRace() override { calls.push_back("EnterRace"); }
  void RaceFrame() override { calls.push_back("RaceFrame"); }
  void EnterRecords() override { calls.push_back("EnterRecords"); }
  void RecordsFrame() override { calls.push_back("RecordsFrame"); }
  void EnterResult() override { calls.push_back("EnterResult"); }
  void ResultFrame() override { calls.push_back("ResultFrame"); }
  void EnterCarSelect() override { calls.push_back("EnterCarSelect"); }
  void CarSelectFrame() override { calls.push_back("CarSelectFrame"); }
  void EnterOptions() override { calls.push_back("EnterOptions"); }
  void OptionsFrame() override { calls.push_back("OptionsFrame"); }
};

using Calls = std::vector<std::string>;

TEST(SceneDispatcherTest, EachStateRunsItsOwnStepsThenThePoll) {
  const struct {
    int32_t state, next;
    Calls calls;
    int window = 1;  // the setting boot reads
    bool starts = true;
  } cases[] = {
      // Any non-zero setting is a window, and a window shows the cursor.
      {SCENE_BOOT, SCENE_TITLE_ENTER,
       {"ReadConfiguration", "StartUp", "SetCursorVisible1", "Poll"}, 2},
      {SCENE_BOOT, SCENE_TITLE_ENTER,
       {"ReadConfiguration", "StartUp", "SetCursorVisible0", "Poll"}, 0},
      // A failed start exits on the next pass, which saves, shuts down and skips the poll.
      {SCENE_BOOT, SCENE_EXIT, {"ReadConfiguration", "StartUp"}, 1, false},
      {SCENE_EXIT, SCENE_EXIT, {"SaveOnExit", "ShutDown"}},
      {SCENE_RACE_RESET, SCENE_RACE, {"ResetRace", "ApplyRaceView", "Poll"}},
      // A step that asks for nothing keeps its state.
      {SCENE_TITLE_ENTER, SCENE_TITLE_ENTER, {"EnterTitle", "Poll"}},
      {SCENE_TITLE, SCENE_TITLE, {"TitleFrame", "Poll"}},
      {SCENE_RACE_ENTER, SCENE_RACE_ENTER, {"EnterRace", "Poll"}},
      {SCENE_RACE, SCENE_RACE, {"RaceFrame", "Poll"}},
      {SCENE_RECORDS_ENTER, SCENE_RECORDS_ENTER, {"EnterRecords", "Poll"}},
      {SCENE_RECORDS, SCENE_RECORDS, {"RecordsFrame", "Poll"}},
      {SCENE_RESULT_ENTER, SCENE_RESULT_ENTER, {"EnterResult", "Poll"}},
      {SCENE_RESULT, SCENE_RESULT, {"ResultFrame", "Poll"}},
      {SCENE_CAR_SELECT_ENTER, SCENE_CAR_SELECT_ENTER, {"EnterCarSelect", "Poll"}},
      {SCENE_CAR_SELECT, SCENE_CAR_SELECT, {"CarSelectFrame", "Poll"}},
      {SCENE_OPTIONS_ENTER, SCENE_OPTIONS_ENTER, {"EnterOptions", "Poll"}},
      {SCENE_OPTIONS, SCENE_OPTIONS, {"OptionsFrame", "Poll"}},
      {12, 12, {"Poll"}},  // unknown states run only the poll
      {-5, -5, {"Poll"}},
  };
  for (const auto& c : cases) {
    RecordingServices services;
    services.start_up_result = c.starts;
    scene_state = c.state;
    windowed = c.window;
    DispatchScene(false, services);
    EXPECT_EQ(services.calls, c.calls) << "state " << c.state;
    EXPECT_EQ(scene_state, c.next) << "state " << c.state;
  }
  // The final call only shuts down.
  RecordingServices services;
  scene_state = SCENE_TITLE;
  DispatchScene(true, services);
  EXPECT_EQ(services.calls, (Calls{"ShutDown"}));
}
}  // namespace
