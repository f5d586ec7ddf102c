#include "race/race_setup_win32.h"

#include "app/scene_frame_win32.h"
#include "app/scene_state.h"
#include "app/shell_win32.h"
#include "display/bitmap_surface_win32.h"

void EnterRace() {
  ReleaseSceneSurfaces();
  LoadSmallFont();
  LoadRaceResources();
  FinishSceneEntry(SCENE_RACE_RESET);
}

void LoadRaceResources() {}
void ReleaseRaceResources() {}
