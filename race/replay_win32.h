// Replays on Windows: every race recorded from its reset, the finished run written to
// .\replays\, and the best run of the car on the course raced as the ghost. Nothing here reads
// or writes a file during the race's frames but the one of the finish.
#pragma once

#include <cstdint>

#include "race/ghost.h"
#include "race/race_flow.h"
#include "race/run_log.h"

// The ghost of the race being run; ready only while a best run of this car on this course is
// loaded and replays.
extern GhostRun ghost_run;

// At the reset of a race: the best run of current_car on the course (read from its file when
// the car or the course has changed, or taken from the run that just beat it) set at the line
// as the ghost, and a new recording begun.
void PrepareRaceReplays(uint8_t raceMode);

// Each race frame, with the input handed to StepRaceFlow, before it runs.
void RecordRaceFrame(const RaceFrameInput& input);

// Each race frame, after StepRaceFlow: the ghost raced on to the race's clock.
void AdvanceGhost(uint32_t nowMs);

// At the finish: the run written as the course's last run and, when it is the car's fastest
// on the course, as its best. A write that fails is logged; the race goes on.
void SaveFinishedRun(const LocalDateTime& finishedAt);
