// The per-frame reading of the keyboard and the joystick, and the typed character.
#include <cstddef>

#include "app/scene_state.h"
#include "app/settings.h"
#include "input/input_win32.h"
#include "input/joystick_fold.h"
#include "input/key_state.h"
#include "input/typed_character.h"

static_assert(sizeof(JoystickReading) == sizeof(DIJOYSTATE), "joystick record size");
static_assert(offsetof(JoystickReading, x) == offsetof(DIJOYSTATE, lX), "x axis");
static_assert(offsetof(JoystickReading, y) == offsetof(DIJOYSTATE, lY), "y axis");
static_assert(offsetof(JoystickReading, pov) == offsetof(DIJOYSTATE, rgdwPOV), "hats");
static_assert(offsetof(JoystickReading, buttons) == offsetof(DIJOYSTATE, rgbButtons),
              "buttons");

HRESULT ReadKeyboard() {
  if (keyboard_device == nullptr) return DIERR_NOTINITIALIZED;
  const HRESULT result = keyboard_device->GetDeviceState(sizeof(key_state), key_state);
  // Another program or a window switch took the keyboard: take it back for the next frame;
  // this one goes without keys. A keyboard whose first acquire failed is taken the same way,
  // or it would never be read at all.
  if (result == DIERR_INPUTLOST || result == DIERR_NOTACQUIRED) keyboard_device->Acquire();
  return result;
}

bool ReadJoystick(JoystickReading& reading) {
  if (joystick == nullptr) return false;
  joystick->Poll();
  const HRESULT result = joystick->GetDeviceState(sizeof(reading), &reading);
  if (result == DIERR_INPUTLOST) joystick->Acquire();
  return SUCCEEDED(result);
}

void PollJoystickIntoKeys() {
  JoystickReading reading = {};
  if (!ReadJoystick(reading)) return;
  FoldJoystickIntoKeys(reading, joystick_buttons, button_capture, key_state, scene_state);
}

bool ReadFrameInput() {
  const HRESULT result = ReadKeyboard();
  PollJoystickIntoKeys();
  return SUCCEEDED(result);
}

namespace {
int TranslateWithToAscii(int virtualKey, const uint8_t* keyboardState, uint16_t* character) {
  WORD translated = 0;
  const int count = ToAscii(static_cast<UINT>(virtualKey), 0, keyboardState, &translated, 0);
  *character = translated;
  return count;
}
}  // namespace

int ReadTypedCharacter() {
  BYTE keyboardState[256] = {};
  if (!GetKeyboardState(keyboardState)) return 0;
  return FirstTypedCharacter(keyboardState, TranslateWithToAscii);
}
