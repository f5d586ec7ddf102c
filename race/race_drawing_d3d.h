// One race frame drawn into the back buffer: road, signal and instruments.
#pragma once

// Reads the race state and the car; changes nothing of the race.
void DrawRaceScene();

// Whatever a draw costs the first time it is made (the driver builds its state for a model, a
// texture, a picture, a needle) is paid here, before the race's first frame is shown, rather
// than at the go lamp or mid-race, where the race clock would count it: everything a race can
// show (every lamp model, both speedometer styles, the banners) is drawn once into the back
// buffer, which the first frame then clears. Once after every load of the race's resources.
void WarmUpRaceDrawing();
// Cleared by every load of the race's resources.
extern bool race_drawing_warm;
