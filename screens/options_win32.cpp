#include "screens/options_win32.h"

#include "app/scene_frame_win32.h"
#include "app/scene_state.h"
#include "app/shell_win32.h"
#include "display/bitmap_surface_win32.h"

void EnterOptions() {
  ReleaseSceneSurfaces();
  LoadSmallFont();
  LoadOptionArt();
  FinishSceneEntry(SCENE_OPTIONS);
}

void OptionsFrame() { PlainSceneFrame(); }
void LoadOptionArt() {}
void ReleaseOptionArt() {}
