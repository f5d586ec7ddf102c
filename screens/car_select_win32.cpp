#include "screens/car_select_win32.h"

#include "app/scene_frame_win32.h"
#include "app/scene_state.h"
#include "app/shell_win32.h"
#include "display/bitmap_surface_win32.h"

void EnterCarSelect() {
  ReleaseSceneSurfaces();
  LoadSmallFont();
  LoadCarSelectArt();
  FinishSceneEntry(SCENE_CAR_SELECT);
}

void CarSelectFrame() { PlainSceneFrame(); }
void LoadCarSelectArt() {}
void ReleaseCarSelectArt() {}
