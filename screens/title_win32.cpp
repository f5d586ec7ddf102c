#include "screens/title_win32.h"

#include "app/scene_frame_win32.h"
#include "app/scene_state.h"
#include "app/shell_win32.h"
#include "display/bitmap_surface_win32.h"

void EnterTitle() {
  ReleaseSceneSurfaces();
  LoadSmallFont();
  LoadTitleArt();
  FinishSceneEntry(SCENE_TITLE);
}

void TitleFrame() { PlainSceneFrame(); }
void LoadTitleArt() {}
void ReleaseTitleArt() {}
