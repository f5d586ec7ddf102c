// The title screen's Windows side: its pictures, its entry state and its frame.
#pragma once

void EnterTitle();
void TitleFrame();
// Loads the title's pictures; a failure shows its message box and asks for SCENE_EXIT.
void LoadTitleArt();
void ReleaseTitleArt();
