// For the race clock benchmark (tools/bench-race-clock.sh) and the engine sound's test: with
// VORTA_RACE_TRACE naming a file, every race frame is noted with where the race stood and what
// the frame cost, and the notes are written there at shut-down. Without it nothing is noted.
#pragma once

#include <cstdint>

#include "race/race_state.h"

// One race frame: the race after its step, the counter ticks from the frame's start to the
// presentation (the work) and those the copy to the screen took.
void TraceRaceFrame(const RaceState& race, uint64_t workTicks, uint64_t showTicks);

// Writes the notes, one line per race frame:
//   frame signal_step distance_m speed_kmh race_time_ms finished fps_at_signal fps_at_finish
//   work_us show_us engine_rpm gear_row gear_column
// where frame is the frame's place in the frame trace (VORTA_FRAME_TRACE), counted from 0.
void WriteRaceTrace();
