#include "input/joystick_fold.h"

#include "app/scene_state.h"
#include "input/key_codes.h"
#include "input/key_state.h"

namespace {

bool ButtonDown(const JoystickReading& reading, const uint8_t joystickButtons[4],
                JoystickAction action) {
  const int button = joystickButtons[action];
  if (button >= kJoystickButtonCount) return false;
  return (reading.buttons[button] & kKeyDownBit) != 0;
}

}  // namespace

void FoldJoystickIntoKeys(const JoystickReading& reading, const uint8_t joystickButtons[4],
                          int32_t buttonCapture, uint8_t keys[256], int32_t& sceneState) {
  if (reading.y < kStickFullNegative) keys[DIK_UP] |= kKeyDownBit;
  if (reading.y > kStickFullPositive) keys[DIK_DOWN] |= kKeyDownBit;
  if (reading.x > kStickFullPositive) keys[DIK_RIGHT] |= kKeyDownBit;
  if (reading.x < kStickFullNegative) keys[DIK_LEFT] |= kKeyDownBit;

  if ((buttonCapture & kButtonCaptureBit) != 0) return;

  if (ButtonDown(reading, joystickButtons, kJoystickAlt)) keys[DIK_LMENU] |= kKeyDownBit;
  if (ButtonDown(reading, joystickButtons, kJoystickCtrl)) keys[DIK_LCONTROL] |= kKeyDownBit;
  if (ButtonDown(reading, joystickButtons, kJoystickSpaceEnter)) {
    keys[DIK_SPACE] |= kKeyDownBit;
    keys[DIK_RETURN] |= kKeyDownBit;
  }
  if (ButtonDown(reading, joystickButtons, kJoystickEsc)) sceneState = SCENE_TITLE_ENTER;
}
