// The title screen's Windows side: its pictures, its entry state and its frame.
#pragma once

#include <windows.h>
#include <ddraw.h>

#include <cstdint>

void EnterTitle();
void TitleFrame();
// Loads the title's pictures; a failure shows its message box and asks for SCENE_EXIT.
void LoadTitleArt();
void ReleaseTitleArt();
// Draws the screen into the back buffer and moves the opening on as its pieces finish.
void DrawTitle();
// The same at a given clock reading (ms), for a picture of a chosen moment.
void DrawTitleAt(uint32_t now);

// The TITLE picture while the title runs; none otherwise.
extern IDirectDrawSurface4* lpDDSTitle;
