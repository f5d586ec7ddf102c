#include "app/scene_frame_win32.h"

#include "app/scene_state.h"

void FinishSceneEntry(int32_t frameState) {
  if (scene_state != SCENE_EXIT) scene_state = frameState;
}
