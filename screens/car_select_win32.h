// The car select screen's Windows side: its pictures, its entry state and its frame.
#pragma once

#include <windows.h>
#include <ddraw.h>

void EnterCarSelect();
void CarSelectFrame();
// Loads the screen's picture and makes the graph surface; a failure shows its message box and
// asks for SCENE_EXIT.
void LoadCarSelectArt();
// Releases both surfaces and forgets which car the graph showed.
void ReleaseCarSelectArt();
// Draws the whole screen into the back buffer for current_car (no car when hasCar is false)
// and grows its graph.
void DrawCarSelect(bool hasCar);

// The CARSELECT picture and the graph built up across frames; none outside the screen.
extern IDirectDrawSurface4* lpDDSCarSelect;
extern IDirectDrawSurface4* gm_lpDDSGraph;
