#include "race/race_frame_win32.h"

#include "app/scene_frame_win32.h"
#include "race/race_state.h"

void ResetRace() { SetRaceStartValues(race_state); }
void RaceFrame() { PlainSceneFrame(); }
