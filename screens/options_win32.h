// The option screen's Windows side: its picture, its entry state and its frame.
#pragma once

void EnterOptions();
void OptionsFrame();
// Draws the screen into the back buffer, the joystick's rows only when hasJoystick.
void DrawOptions(bool hasJoystick);
// Loads the screen's picture; a failure shows its message box and asks for SCENE_EXIT.
void LoadOptionArt();
// Releases the picture and ends any joystick button capture.
void ReleaseOptionArt();
