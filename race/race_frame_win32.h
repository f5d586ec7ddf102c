// The race's frame on Windows: the reset of a run and one frame of SCENE_RACE.
#pragma once

// Clears the race state and sets every start value of a new run.
void ResetRace();
// One frame: signal, controls, car model, clock, distance, finish, drawing, presentation.
void RaceFrame();
