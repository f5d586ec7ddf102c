// The option screen's edited copy: applying, dropping, assigning buttons and moving round.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>

#include "app/settings.h"
#include "input/key_codes.h"
#include "screens/options.h"

namespace {

struct Keys {
  uint8_t now[256] = {};
  uint8_t before[256] = {};
  explicit Keys(std::initializer_list<int> pressed) {
    for (int code : pressed) now[code] = 0x80;
  }
};

class OptionScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    windowed = 0;
    speedometer_style = 0;
    const uint8_t buttons[4] = {2, 5, 8, 9};
    std::copy(buttons, buttons + 4, joystick_buttons);
    software_device = 1;
    edit = CopySettingsForEditing();
  }
  bool Step(std::initializer_list<int> pressed, bool joystick = true) {
    Keys keys(pressed);
    return StepOptionKeys(edit, keys.now, keys.before, joystick);
  }
  OptionEdit edit;
};

TEST_F(OptionScreen, OkAppliesTheCopyAndEscDropsIt) {
  Step({DIK_RIGHT});
  Step({DIK_DOWN});
  Step({DIK_LEFT, DIK_RIGHT});
  EXPECT_EQ(edit.edit_windowed, 1);
  EXPECT_EQ(edit.edit_speedometer, 1) << "Left and Right together toggle once";
  EXPECT_EQ(windowed, 0) << "the settings wait for OK";
  EXPECT_FALSE(Step({DIK_SPACE})) << "Space off the OK row does nothing";

  Step({DIK_UP});
  Step({DIK_UP});
  EXPECT_EQ(edit.option_cursor, kOptionOkRow) << "Up from the first row goes to OK";
  ASSERT_TRUE(Step({DIK_SPACE}));
  EXPECT_TRUE(ScreenModeChanged(edit));
  ApplyOptionEdit(edit);
  EXPECT_EQ(windowed, 1);
  EXPECT_EQ(speedometer_style, 1);
  EXPECT_EQ(software_device, 1);
  EXPECT_FALSE(ScreenModeChanged(CopySettingsForEditing())) << "the same mode rebuilds nothing";

  edit = CopySettingsForEditing();
  edit.edit_windowed = 7;
  Step({DIK_LEFT});
  EXPECT_EQ(edit.edit_windowed, 0) << "any other value toggles to 0";
}

TEST_F(OptionScreen, ButtonsSwapAndTheLowestHeldWins) {
  uint8_t buttons[32] = {};
  edit.option_cursor = 3;  // Ctrl
  buttons[2] = 0x80;       // Alt's button
  AssignHeldButton(edit, buttons);
  EXPECT_EQ(edit.edit_buttons[0], 5) << "Alt takes Ctrl's old button";
  EXPECT_EQ(edit.edit_buttons[1], 2);
  AssignHeldButton(edit, buttons);
  EXPECT_EQ(edit.edit_buttons[1], 2) << "held on: nothing more happens";

  edit.option_cursor = 5;  // Esc
  buttons[2] = 0;
  buttons[30] = buttons[12] = 0x80;
  AssignHeldButton(edit, buttons);
  EXPECT_EQ(edit.edit_buttons[3], 12);
  edit.option_cursor = 1;
  buttons[12] = 0;
  AssignHeldButton(edit, buttons);
  EXPECT_EQ(edit.edit_buttons[3], 12) << "off the button rows nothing is assigned";
  EXPECT_EQ(ButtonCaptureFor(1), 0);
  EXPECT_EQ(ButtonCaptureFor(2), 1);
  EXPECT_EQ(ButtonCaptureFor(6), 0);
}

TEST_F(OptionScreen, CursorWrapsAndSkipsTheUndrawnRowsWithoutAJoystick) {
  struct Case {
    int32_t from;
    int key;
    bool joystick;
    int32_t to;
  } cases[] = {
      {0, DIK_UP, true, 6},  {6, DIK_DOWN, true, 0},  {1, DIK_DOWN, true, 2},
      {6, DIK_UP, true, 5},  {1, DIK_DOWN, false, 6}, {6, DIK_UP, false, 1},
      {0, DIK_UP, false, 6}, {6, DIK_DOWN, false, 0},
  };
  for (const Case& c : cases) {
    edit.option_cursor = c.from;
    Step({c.key}, c.joystick);
    EXPECT_EQ(edit.option_cursor, c.to) << c.from << " key " << c.key << " joystick " << c.joystick;
  }
  edit.option_cursor = kOptionOkRow;
  EXPECT_EQ(CursorBrackets(edit, false).y, 186);
  EXPECT_EQ(CursorBrackets(edit, false).left_x, 288);
  EXPECT_EQ(CursorBrackets(edit, false).right_x, 336);
}

}  // namespace
