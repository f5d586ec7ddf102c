// The time slip of a run, as drag racers read it: the reaction time at the lamps, and the time
// from the go lamp and the speed at each mark of the course. Measured by the race flow on every
// frame; shown by the slip panel and kept in the run log. Portable: no Windows header.
#pragma once

#include <cstdint>

struct RaceState;

constexpr int kSlipMarks = 7;
// m; the course's own length is its last mark.
constexpr int32_t kSlipMarkMetres[kSlipMarks] = {20, 100, 200, 400, 600, 800, 1000};

struct SlipMark {
  bool passed;
  uint32_t time_ms;  // ms from the go lamp, taken back to the moment the mark was crossed
  double speed;      // km/h as the car crossed it
};

// Part of RaceState, so it is cleared with every run.
struct TimeSlip {
  bool reacted;          // the car has moved since the go lamp
  uint32_t reaction_ms;  // ms from the first frame of the go lamp to the first moving frame,
                         // at most 99999 like the clock
  SlipMark marks[kSlipMarks];
};

// Notes what the frame just run adds to race.slip; called once a frame, after the finish.
// Only a run under the go lamp counts: nothing is noted before it or after a false start.
void NoteTimeSlip(RaceState& race, uint32_t nowMs, float courseLength);
