// The scene state machine's values and the globals every scene shares.
#pragma once

#include <cstdint>

// A scene is an entry state (a multiple of ten) that loads its pictures and moves on, and a
// frame state (entry + 1) that runs one frame per pass.
enum SceneState : int32_t {
  SCENE_BOOT = 0,
  SCENE_TITLE_ENTER = 10,
  SCENE_TITLE = 11,
  SCENE_RACE_RESET = 20,
  SCENE_RACE_ENTER = 30,
  SCENE_RACE = 31,
  SCENE_EXIT = 40,
  SCENE_RECORDS_ENTER = 50,
  SCENE_RECORDS = 51,
  SCENE_RESULT_ENTER = 60,
  SCENE_RESULT = 61,
  SCENE_CAR_SELECT_ENTER = 70,
  SCENE_CAR_SELECT = 71,
  SCENE_OPTIONS_ENTER = 80,
  SCENE_OPTIONS = 81,
};

// What the program is doing; a scene asks for another by writing its entry state here, and
// the change takes effect on the next pass.
extern int32_t scene_state;

// The course: 0 = 400 m, 1 = 1000 m. Set by the title menu and the record screen.
extern uint8_t race_mode;
