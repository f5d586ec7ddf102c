// The joystick folded into the keyboard: the scenes only ever test keys, so the stick and the
// four assignable buttons are turned into key bits here.
#pragma once

#include <cstddef>
#include <cstdint>

// One reading of the joystick, byte for byte DirectInput's DIJOYSTATE (the win32 side reads
// straight into it and checks the offsets against the published record):
//
//   offset  width  content
//   0       4      x axis, i32 (the game sets its range to -1000..1000)
//   4       4      y axis, i32 (-1000 up .. 1000 down)
//   8       4      z axis, i32
//   12      12     rotations x, y, z, i32
//   24      8      two sliders, i32
//   32      16     four point-of-view hats, u32
//   48      32     buttons 0..31, one byte each, bit 7 = down
struct JoystickReading {
  int32_t x;
  int32_t y;
  int32_t z;
  int32_t rx, ry, rz;
  int32_t slider[2];
  uint32_t pov[4];
  uint8_t buttons[32];
};
static_assert(sizeof(JoystickReading) == 80, "DIJOYSTATE is 80 bytes");
static_assert(offsetof(JoystickReading, y) == 4, "y axis offset");
static_assert(offsetof(JoystickReading, buttons) == 48, "button bytes offset");

// Which entry of `joystick buttons` stands for which action.
enum JoystickAction : int {
  kJoystickAlt = 0,         // throttle: left Alt
  kJoystickCtrl = 1,        // clutch: left Ctrl
  kJoystickSpaceEnter = 2,  // Space and Return together
  kJoystickEsc = 3,         // back to the title
};
constexpr int kJoystickActionCount = 4;
constexpr int kJoystickButtonCount = 32;

// Only a stick at full deflection counts as a direction; with the range of -1000..1000 a
// stick resting a little off centre never moves a menu.
constexpr int32_t kStickFullNegative = -999;  // below this: up / left
constexpr int32_t kStickFullPositive = 999;   // above this: down / right

// Sets key bits for the stick and, unless bit 0 of `buttonCapture` is set, for the four
// assigned buttons. Bits are only ever set: a key held on the keyboard stays down whatever the
// joystick does. The Esc button writes SCENE_TITLE_ENTER into `sceneState`. A button number
// outside 0..31 (a damaged settings file) stands for no button.
void FoldJoystickIntoKeys(const JoystickReading& reading, const uint8_t joystickButtons[4],
                          int32_t buttonCapture, uint8_t keys[256], int32_t& sceneState);
