// The time-slip panel over the race: its picture, loaded and released with the race's, and its
// drawing, shown while the player has it on (F3).
#pragma once

#include "race/race_state.h"

// A picture that cannot be loaded is logged and the race runs on without the panel.
void LoadTimeSlipPicture();
void ReleaseTimeSlipPicture();

// Sets the panel's picture for the race as it stands, shown or not: the race's set-up does it,
// so that F3 in mid-race adds at most the figures passed so far. With the slip of a ghost's
// run, the gap panel beside it too.
void PrepareTimeSlipPanel(const RaceState& race, float courseLength,
                          const TimeSlip* ghostSlip = nullptr);

// Draws the panel into the back buffer while time_slip_panel is set, and beside a ghost (its
// slip given) the gaps to it; otherwise nothing.
void DrawTimeSlipPanel(const RaceState& race, float courseLength,
                       const TimeSlip* ghostSlip = nullptr);
