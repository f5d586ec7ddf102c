// The keyboard and joystick through DirectInput 5.
#pragma once

#include <windows.h>
#include <dinput.h>

#include <cstdint>

// Opens the DirectInput object, the system keyboard and the first attached joystick that can
// be created. On any failure it shows its message boxes (caption "DirectInputの初期化"),
// releases what it made, destroys `hwnd` and returns false. No joystick is not a failure.
bool CreateInput(HINSTANCE hinstance, HWND hwnd);

// Releases the devices and the DirectInput object; a second call releases nothing.
void ReleaseInput();

// Reads the keyboard into `key_state` and returns DirectInput's result. A lost keyboard
// (DIERR_INPUTLOST, or never acquired) is acquired again at once; that frame must do no key
// handling.
HRESULT ReadKeyboard();

// Reads the joystick, if there is one, and folds it into `key_state` (its Esc button sets
// `scene_state` to SCENE_TITLE_ENTER).
void PollJoystickIntoKeys();

// Polls the joystick and reads its state; false when there is none or the read failed (a lost
// joystick is acquired again for the next frame).
struct JoystickReading;
bool ReadJoystick(JoystickReading& reading);

// The start of every frame state: ReadKeyboard, then PollJoystickIntoKeys. True when the
// keys may be handled; the scene then ends its key handling with RememberKeyState().
bool ReadFrameInput();

// The character being typed (Shift and Caps Lock applied), or 0; see FirstTypedCharacter.
int ReadTypedCharacter();

// For tests and diagnostics: whether a joystick is in use.
bool HasJoystick();

// The devices, owned here; tests look at them, nobody else releases them.
extern IDirectInputA* direct_input;
extern IDirectInputDeviceA* keyboard_device;
extern IDirectInputDeviceA* joystick_device;
extern IDirectInputDevice2A* joystick;
