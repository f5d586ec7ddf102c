// The ranking of a finished run in the course's time and top-speed tables, and the unlocking
// of the hidden cars. Portable: no Windows header.
#pragma once

#include "data/car_record.h"
#include "data/record_data.h"
#include "race/race_state.h"

// Enters the run into both tables of `course` (0 or 1) under the last entered player name
// and the car's name, and sets time_rank and speed_rank (1..5, 0 = not placed). When every
// one of the four tables is headed by a raced entry, both hidden cars are unlocked. Runs once
// per race: a second call only keeps result_recorded set.
void RecordRaceResult(RaceState& race, RecordData& records, int course, const CarSpec& car);
