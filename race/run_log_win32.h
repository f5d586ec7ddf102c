// The run log on disk: .\vorta_runs.csv, appended to at every finish.
#pragma once

#include <cstdint>

#include "data/car_record.h"
#include "race/race_state.h"
#include "race/run_log.h"

// The local date and time now, as the run log writes it.
LocalDateTime ReadLocalDateTime();

// Appends the finished run to the log under `date`, creating it with its header when missing.
// A failure goes to the debug log and the game goes on; the save file is never touched.
void AppendRunToLog(const RaceState& race, const CarSpec& car, uint8_t raceMode,
                    const LocalDateTime& date);
