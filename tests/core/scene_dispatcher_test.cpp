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
  int32_t next_state_after_enter = -1;

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

class SceneDispatcherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scene_state = SCENE_BOOT;
    windowed = 1;
  }
  RecordingServices services;
};

TEST_F(SceneDispatcherTest, BootReadsSettingsStartsAndShowsTheTitle) {
  // Any non-zero setting is a window, and a window shows the cursor.
  for (const auto& [setting, cursor] : {std::pair{2, "SetCursorVisible1"}, {0, "SetCursorVisible0"}}) {
    scene_state = SCENE_BOOT;
    windowed = setting;
    services.calls.clear();
    DispatchScene(false, services);
    EXPECT_EQ(services.calls, (Calls{"ReadConfiguration", "StartUp", cursor, "Poll"}));
    EXPECT_EQ(scene_state, SCENE_TITLE_ENTER);
  }
}

TEST_F(SceneDispatcherTest, FailedStartUpExitsOnTheNextPassWhichSavesShutsDownAndSkipsThePoll) {
  services.start_up_result = false;
  DispatchScene(false, services);
  EXPECT_EQ(services.calls, (Calls{"ReadConfiguration", "StartUp"}));
  EXPECT_EQ(scene_state, SCENE_EXIT);

  services.calls.clear();
  DispatchScene(false, services);
  EXPECT_EQ(services.calls, (Calls{"SaveOnExit", "ShutDown"}));
}

TEST_F(SceneDispatcherTest, EachStateRunsItsOwnStepThenThePoll) {
  const std::pair<int32_t, const char*> steps[] = {
      {SCENE_TITLE_ENTER, "EnterTitle"},   {SCENE_TITLE, "TitleFrame"},
      {SCENE_RACE_ENTER, "EnterRace"},     {SCENE_RACE, "RaceFrame"},
      {SCENE_RECORDS_ENTER, "EnterRecords"}, {SCENE_RECORDS, "RecordsFrame"},
      {SCENE_RESULT_ENTER, "EnterResult"}, {SCENE_RESULT, "ResultFrame"},
      {SCENE_CAR_SELECT_ENTER, "EnterCarSelect"}, {SCENE_CAR_SELECT, "CarSelectFrame"},
      {SCENE_OPTIONS_ENTER, "EnterOptions"}, {SCENE_OPTIONS, "OptionsFrame"},
  };
  for (const auto& [state, step] : steps) {
    services.calls.clear();
    scene_state = state;
    DispatchScene(false, services);
    EXPECT_EQ(services.calls, (Calls{step, "Poll"})) << "state " << state;
    EXPECT_EQ(scene_state, state) << "a step that asks for nothing keeps its state";
  }
}

TEST_F(SceneDispatcherTest, RaceResetResetsAppliesTheViewAndRunsTheRaceNextPass) {
  scene_state = SCENE_RACE_RESET;
  DispatchScene(false, services);
  EXPECT_EQ(services.calls, (Calls{"ResetRace", "ApplyRaceView", "Poll"}));
  EXPECT_EQ(scene_state, SCENE_RACE);
}

TEST_F(SceneDispatcherTest, UnknownStateRunsOnlyThePoll) {
  for (int32_t state : {1, 12, 21, 41, 99, -5}) {
    services.calls.clear();
    scene_state = state;
    DispatchScene(false, services);
    EXPECT_EQ(services.calls, (Calls{"Poll"})) << "state " << state;
  }
}

TEST_F(SceneDispatcherTest, FinalCallOnlyShutsDown) {
  scene_state = SCENE_TITLE;
  DispatchScene(true, services);
  EXPECT_EQ(services.calls, (Calls{"ShutDown"}));
}
}  // namespace
