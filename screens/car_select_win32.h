// The car select screen's Windows side: its pictures, its entry state and its frame.
#pragma once

void EnterCarSelect();
void CarSelectFrame();
// Loads the screen's picture and makes the graph surface; a failure shows its message box and
// asks for SCENE_EXIT.
void LoadCarSelectArt();
// Releases both surfaces and forgets which car the graph showed.
void ReleaseCarSelectArt();
