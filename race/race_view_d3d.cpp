#include "race/race_view_d3d.h"

void ApplyRaceView() {}
