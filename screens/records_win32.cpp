#include "screens/records_win32.h"

#include "app/scene_frame_win32.h"
#include "app/scene_state.h"
#include "app/shell_win32.h"
#include "display/bitmap_surface_win32.h"

void EnterRecords() {
  ReleaseSceneSurfaces();
  LoadSmallFont();
  LoadRecordArt();
  FinishSceneEntry(SCENE_RECORDS);
}

void EnterResult() {
  ReleaseSceneSurfaces();
  LoadSmallFont();
  LoadRecordArt();
  FinishSceneEntry(SCENE_RESULT);
}

void RecordsFrame() { PlainSceneFrame(); }
void ResultFrame() { PlainSceneFrame(); }
void LoadRecordArt() {}
void ReleaseRecordArt() {}
