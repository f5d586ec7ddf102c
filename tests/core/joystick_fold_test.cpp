// The joystick folded into the keyboard's key bits.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/scene_state.h"
#include "input/joystick_fold.h"
#include "input/key_codes.h"
#include "input/key_state.h"

namespace {

// The default assignment: Alt 2, Ctrl 5, Space&Enter 8, Esc 9.
const uint8_t kDefaultButtons[4] = {2, 5, 8, 9};

std::vector<int> KeysDown(const uint8_t keys[256]) {
  std::vector<int> down;
  for (int code = 0; code < 256; ++code) {
    if (keys[code] & 0x80) down.push_back(code);
  }
  return down;
}

}  // namespace

TEST(JoystickFold, FullDeflectionAndTheAssignedButtonsBecomeKeys) {
  const uint8_t allOn31[4] = {31, 31, 31, 31};
  std::vector<int> everyButton;
  for (int b = 0; b < 32; ++b) everyButton.push_back(b);
  const struct {
    const char* what;
    int32_t x, y;
    std::vector<int> buttons;  // held
    std::vector<int> keyboard;  // keys already down
    std::vector<int> down;      // in code order
    int32_t scene = SCENE_CAR_SELECT;
    int32_t capture = 0;
    const uint8_t* assignment = kDefaultButtons;
  } cases[] = {
      {"a stick short of full deflection", -999, 999, {}, {}, {}},
      {"short the other way", 999, -999, {}, {}, {}},
      {"up and right", 1000, -1000, {}, {}, {DIK_UP, DIK_RIGHT}},
      {"left and down", -1000, 1000, {}, {}, {DIK_LEFT, DIK_DOWN}},
      {"Alt's button", 0, 0, {2}, {}, {DIK_LMENU}},
      {"Ctrl's button", 0, 0, {5}, {}, {DIK_LCONTROL}},
      {"one button for Space and Return", 0, 0, {8}, {}, {DIK_RETURN, DIK_SPACE}},
      {"Esc's button asks for the title, no key", 0, 0, {9}, {}, {}, SCENE_TITLE_ENTER},
      {"a button nobody assigned", 0, 0, {0}, {}, {}},
      {"the keyboard's keys stay down", 0, 0, {}, {DIK_UP, DIK_LMENU}, {DIK_LMENU, DIK_UP}},
      {"captured: no button acts, the stick does", 0, 1000, everyButton, {}, {DIK_DOWN},
       SCENE_CAR_SELECT, kButtonCaptureBit},
      {"only bit 0 captures", 0, 0, {9}, {}, {}, SCENE_TITLE_ENTER, 0x2},
      {"button 31 for every action", 0, 0, {31}, {}, {DIK_RETURN, DIK_LCONTROL, DIK_LMENU, DIK_SPACE},
       SCENE_TITLE_ENTER, 0, allOn31},
  };
  for (const auto& c : cases) {
    JoystickReading reading = {};
    reading.x = c.x;
    reading.y = c.y;
    for (uint8_t& b : reading.buttons) b = 0x7F;  // only bit 7 of a button byte means down
    for (int b : c.buttons) reading.buttons[b] = 0x80;
    uint8_t keys[256] = {};
    for (int k : c.keyboard) keys[k] = 0x80;
    int32_t scene = SCENE_CAR_SELECT;
    FoldJoystickIntoKeys(reading, c.assignment, c.capture, keys, scene);
    EXPECT_EQ(KeysDown(keys), c.down) << c.what;
    EXPECT_EQ(scene, c.scene) << c.what;
  }
}

TEST(JoystickFold, ButtonNumbersPastThirtyOneNeverAct) {
  // A damaged settings file may hold any byte; 32 would otherwise read the first byte past
  // the button array. Whatever lies past the record reads as down, so a read out of bounds
  // would show.
  const uint8_t outOfRange[4] = {32, 200, 255, 40};
  struct { JoystickReading reading; uint8_t beyond[256]; } padded;
  std::memset(&padded, 0x80, sizeof(padded));
  padded.reading.x = padded.reading.y = 0;
  uint8_t keys[256] = {};
  int32_t scene = SCENE_CAR_SELECT;
  FoldJoystickIntoKeys(padded.reading, outOfRange, 0, keys, scene);
  EXPECT_TRUE(KeysDown(keys).empty());
  EXPECT_EQ(scene, SCENE_CAR_SELECT);
}

TEST(KeyState, PressedMeansDownNowAndNotBefore) {
  // The globals: a key held over two frames is pressed only in the first.
  std::memset(key_state, 0, sizeof(key_state));
  std::memset(previous_key_state, 0, sizeof(previous_key_state));
  key_state[DIK_LCONTROL] = 0x80;
  key_state[DIK_LEFT] = 0x7F;  // no bit 7: not down, whatever else is set
  EXPECT_TRUE(IsKeyPressed(DIK_LCONTROL));
  EXPECT_FALSE(IsKeyHeld(DIK_LEFT));
  RememberKeyState();
  EXPECT_TRUE(IsKeyHeld(DIK_LCONTROL));
  EXPECT_FALSE(IsKeyPressed(DIK_LCONTROL));
  key_state[DIK_LCONTROL] = 0;
  RememberKeyState();
  key_state[DIK_LCONTROL] = 0x80;
  EXPECT_TRUE(IsKeyPressed(DIK_LCONTROL));
  std::memset(key_state, 0, sizeof(key_state));
  std::memset(previous_key_state, 0, sizeof(previous_key_state));
}
