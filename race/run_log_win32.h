// The run log on disk: .\vorta_runs.csv, appended to at every finish.
#pragma once

#include <cstdint>

#include "data/car_record.h"
#include "race/race_state.h"

// Appends the finished run to the log, creating it with its header when missing. A failure
// goes to the debug log and the game goes on; the save file is never touched.
void AppendRunToLog(const RaceState& race, const CarSpec& car, uint8_t raceMode);
