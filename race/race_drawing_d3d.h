// One race frame drawn into the back buffer: road, signal and instruments.
#pragma once

// Reads the race state and the car; changes nothing of the race.
void DrawRaceScene();
