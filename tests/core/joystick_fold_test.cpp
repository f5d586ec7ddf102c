// The joystick folded into the keyboard's key bits.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <utility>

#include "app/scene_state.h"
#include "input/joystick_fold.h"
#include "input/key_codes.h"
#include "input/key_state.h"

namespace {

// The default assignment: Alt 2, Ctrl 5, Space&Enter 8, Esc 9.
const uint8_t kDefaultButtons[4] = {2, 5, 8, 9};

struct Fold {
  uint8_t keys[256] = {};
  int32_t scene = SCENE_CAR_SELECT;

  void Run(const JoystickReading& reading, int32_t capture = 0,
           const uint8_t* buttons = kDefaultButtons) {
    FoldJoystickIntoKeys(reading, buttons, capture, keys, scene);
  }
  int DownCount() const {
    int count = 0;
    for (uint8_t key : keys) count += (key & 0x80) ? 1 : 0;
    return count;
  }
};

JoystickReading Stick(int32_t x, int32_t y) {
  JoystickReading reading = {};
  reading.x = x;
  reading.y = y;
  return reading;
}

JoystickReading Button(int number) {
  JoystickReading reading = {};
  reading.buttons[number] = 0x80;
  return reading;
}

}  // namespace

TEST(JoystickFold, OnlyFullDeflectionMovesTheStick) {
  const struct {
    int32_t x, y;
    int first, second;  // keys expected down, 0 for none
  } cases[] = {{0, -999, 0, 0},        {0, 999, 0, 0},          {-999, 0, 0, 0},
               {999, 0, 0, 0},         {0, -1000, DIK_UP, 0},   {0, 1000, DIK_DOWN, 0},
               {-1000, 0, DIK_LEFT, 0}, {1000, 0, DIK_RIGHT, 0}, {1000, -1000, DIK_UP, DIK_RIGHT}};
  for (const auto& c : cases) {
    Fold fold;
    fold.Run(Stick(c.x, c.y));
    const int expected = (c.first != 0) + (c.second != 0);
    EXPECT_EQ(expected, fold.DownCount()) << c.x << "," << c.y;
    if (c.first != 0) EXPECT_TRUE(IsKeyHeld(fold.keys, c.first)) << c.x << "," << c.y;
    if (c.second != 0) EXPECT_TRUE(IsKeyHeld(fold.keys, c.second)) << c.x << "," << c.y;
  }
}

TEST(JoystickFold, AssignedButtonsActAsTheirKeys) {
  for (const auto& [button, key] : {std::pair{2, DIK_LMENU}, std::pair{5, DIK_LCONTROL}}) {
    Fold fold;
    fold.Run(Button(button));
    EXPECT_TRUE(IsKeyHeld(fold.keys, key)) << button;
    EXPECT_EQ(1, fold.DownCount()) << button;
  }

  // One button stands for both Space and Enter, and its first frame is a press of both.
  Fold spaceEnter;
  uint8_t previous[256] = {};
  spaceEnter.Run(Button(8));
  EXPECT_TRUE(IsKeyPressed(spaceEnter.keys, previous, DIK_SPACE));
  EXPECT_TRUE(IsKeyPressed(spaceEnter.keys, previous, DIK_RETURN));
  EXPECT_EQ(2, spaceEnter.DownCount());
  EXPECT_EQ(SCENE_CAR_SELECT, spaceEnter.scene);

  // A button nobody assigned does nothing; only bit 7 of a button byte means down.
  Fold unassigned;
  unassigned.Run(Button(0));
  JoystickReading lowBits = {};
  lowBits.buttons[2] = 0x7F;
  unassigned.Run(lowBits);
  EXPECT_EQ(0, unassigned.DownCount());
  EXPECT_EQ(SCENE_CAR_SELECT, unassigned.scene);

  // Keys the keyboard holds stay down whatever the stick and the buttons say.
  Fold keyboard;
  for (int key : {DIK_UP, DIK_LMENU, DIK_SPACE}) keyboard.keys[key] = 0x80;
  keyboard.Run(Stick(0, 0));
  EXPECT_EQ(3, keyboard.DownCount());
  EXPECT_TRUE(IsKeyHeld(keyboard.keys, DIK_UP) && IsKeyHeld(keyboard.keys, DIK_SPACE));
}

TEST(JoystickFold, EscButtonReturnsToTheTitleUnlessCaptured) {
  Fold esc;
  esc.Run(Button(9));
  EXPECT_EQ(SCENE_TITLE_ENTER, esc.scene);
  EXPECT_EQ(0, esc.DownCount());

  // The option screen's cursor on a button row: no button acts, not even Esc, but the stick
  // still moves the cursor.
  Fold captured;
  captured.scene = SCENE_OPTIONS;
  JoystickReading all = Stick(0, 1000);
  for (uint8_t& button : all.buttons) button = 0x80;
  captured.Run(all, kButtonCaptureBit);
  EXPECT_EQ(SCENE_OPTIONS, captured.scene);
  EXPECT_TRUE(IsKeyHeld(captured.keys, DIK_DOWN));
  EXPECT_EQ(1, captured.DownCount());

  // Only bit 0 of the capture flag holds the buttons back.
  Fold otherBits;
  otherBits.Run(Button(9), 0x2);
  EXPECT_EQ(SCENE_TITLE_ENTER, otherBits.scene);
}

TEST(JoystickFold, ButtonNumbersPastThirtyOneNeverAct) {
  // A damaged settings file may hold any byte; 32 would otherwise read the first byte past
  // the button array.
  const uint8_t outOfRange[4] = {32, 200, 255, 40};
  Fold fold;
  // Whatever lies past the record reads as down, so a read out of bounds would show.
  struct {
    JoystickReading reading;
    uint8_t beyond[256];
  } padded;
  std::memset(&padded, 0x80, sizeof(padded));
  padded.reading.x = 0;
  padded.reading.y = 0;
  fold.Run(padded.reading, 0, outOfRange);
  EXPECT_EQ(0, fold.DownCount());
  EXPECT_EQ(SCENE_CAR_SELECT, fold.scene);

  const uint8_t lastButton[4] = {31, 31, 31, 31};
  Fold last;
  last.Run(Button(31), 0, lastButton);
  EXPECT_TRUE(IsKeyHeld(last.keys, DIK_LMENU));
  EXPECT_EQ(SCENE_TITLE_ENTER, last.scene);
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
