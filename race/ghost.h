// The ghost: the best run of this car on this course, raced again beside the player from its
// replay, in step with the race clock from the go lamp. Its own race state, car model and
// records: the player's race is never touched. Portable: no Windows header.
#pragma once

#include <cstdint>

#include "race/replay.h"
#include "race/time_slip.h"

struct GhostRun {
  bool ready;             // a replay has been checked and the ghost can race
  ReplayPlayer player;
  uint32_t go_frame;      // the replay's first frame under the go lamp
  uint32_t go_time_ms;    // its timer reading
  TimeSlip slip;          // the whole run's slip, for the gaps at the marks
};

// Races the replay once through to check it: it must reach the finish, at its own stored
// time, under the go lamp. Then the ghost is set at the line (ResetGhost). False, and the
// ghost not ready, when the run does not replay.
bool PrepareGhost(GhostRun& ghost, const Replay& replay, const CarSpec& car,
                  const TachoScaleRow& tacho);

// Back to the line for a new race: the replay's frames up to its go lamp are raced at once,
// so the ghost waits there, engine running, while the lamps count down.
void ResetGhost(GhostRun& ghost);

// Races the ghost's frames up to the same time from its go lamp as the player's race has run
// from its own (none before that go lamp). Once its frames run out it stays where its run
// ended, past the finish.
void FollowRaceClock(GhostRun& ghost, const RaceState& race, uint32_t nowMs);
