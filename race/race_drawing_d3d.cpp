#include "race/race_drawing_d3d.h"

void DrawRaceScene() {}
