#include "race/time_slip.h"

#include <algorithm>

#include "race/race_clock.h"
#include "race/race_flow.h"
#include "race/race_state.h"

void NoteTimeSlip(RaceState& race, uint32_t nowMs, float courseLength) {
  if (race.signal_step != kSignalGoStep) return;
  TimeSlip& slip = race.slip;
  if (!slip.reacted && race.distance > 0.0f) {
    slip.reacted = true;
    slip.reaction_ms = std::min(nowMs - race.go_time_ms, kRaceTimeCapMs);
  }
  for (int i = 0; i < kSlipMarks; ++i) {
    SlipMark& mark = slip.marks[i];
    const float at = static_cast<float>(kSlipMarkMetres[i]);
    if (mark.passed || at > courseLength || race.distance < at) continue;
    mark.passed = true;
    // At the line the finish, run just before, has already taken the clock back to the
    // crossing and rounded the speed the race shows: the slip keeps exactly those.
    mark.time_ms = at == courseLength
                       ? race.race_time_ms
                       : CrossingTimeMs(race.race_time_ms, race.distance, at, race.speed);
    mark.speed = race.speed;
  }
}
