// The option screen's edited copy: applying, dropping, assigning buttons and moving round.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <tuple>
#include <utility>

#include "app/settings.h"
#include "input/key_codes.h"
#include "screens/options.h"

namespace {

class OptionScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    windowed = 0;
    speedometer_style = 0;
    software_device = 1;
    const uint8_t buttons[4] = {3, 4, 6, 7};
    std::copy(buttons, buttons + 4, joystick_buttons);
    edit = CopySettingsForEditing();
  }
  bool Step(std::initializer_list<int> pressed, bool joystick = true) {
    uint8_t now[256] = {}, before[256] = {};
    for (int code : pressed) now[code] = 0x80;
    return StepOptionKeys(edit, now, before, joystick);
  }
  OptionEdit edit;
};

TEST_F(OptionScreen, OkAppliesTheCopyAndEscDropsIt) {
  EXPECT_EQ(edit.edit_buttons[0], 3) << "the copy holds the buttons";
  Step({DIK_RIGHT});
  EXPECT_EQ(edit.edit_speedometer, 0) << "Right on the Screen row leaves the speedometer";
  Step({DIK_DOWN});
  Step({DIK_LEFT, DIK_RIGHT});
  EXPECT_EQ(edit.edit_speedometer, 1) << "Left and Right together toggle once";
  EXPECT_EQ(windowed, 0) << "the settings wait for OK; Esc leaves them so";
  EXPECT_FALSE(Step({DIK_SPACE})) << "Space off the OK row does nothing";
  Step({DIK_UP});
  Step({DIK_UP});
  ASSERT_TRUE(Step({DIK_SPACE}));
  EXPECT_TRUE(ScreenModeChanged(edit));
  ApplyOptionEdit(edit);
  EXPECT_EQ(std::tuple(windowed, speedometer_style, software_device), std::tuple(1, 1, 1));
  edit.edit_buttons[3] = 17;
  edit.edit_device = 0;
  ApplyOptionEdit(edit);
  EXPECT_EQ(joystick_buttons[3], 17) << "OK applies the buttons too";
  EXPECT_EQ(software_device, 0) << "and the 3D device";
  EXPECT_FALSE(ScreenModeChanged(CopySettingsForEditing())) << "the same mode rebuilds nothing";
}

TEST_F(OptionScreen, TheScreenRowFollowsF2AndKeepsAToggleOfItsOwn) {
  windowed = 1;  // F2 on the screen
  FollowScreenMode(edit, windowed);
  EXPECT_FALSE(ScreenModeChanged(edit)) << "the Screen row shows the mode F2 chose; OK keeps it";
  Step({DIK_LEFT});
  FollowScreenMode(edit, windowed);
  EXPECT_EQ(edit.edit_windowed, 0) << "a toggle waiting for OK stays while the mode stays";
}

TEST_F(OptionScreen, ButtonsSwapAndTheLowestHeldWins) {
  uint8_t buttons[32] = {};
  const uint8_t start[4] = {2, 5, 8, 9};
  std::copy(start, start + 4, edit.edit_buttons);
  edit.option_cursor = 3;  // Ctrl
  buttons[2] = 0x80;       // Alt's button
  AssignHeldButton(edit, buttons);
  EXPECT_EQ(edit.edit_buttons[0], 5) << "Alt takes Ctrl's old button";
  EXPECT_EQ(edit.edit_buttons[1], 2);
  edit.option_cursor = 5;  // Esc
  buttons[30] = buttons[12] = 0x80;
  AssignHeldButton(edit, buttons);
  EXPECT_EQ(edit.edit_buttons[3], 2) << "the lowest of three held";
  EXPECT_EQ(edit.edit_buttons[1], 9);
  edit.option_cursor = 1;
  AssignHeldButton(edit, buttons);
  EXPECT_EQ(edit.edit_buttons[1], 9) << "off the button rows nothing is assigned";
  edit.option_cursor = 2;
  buttons[0] = 0x80;
  AssignHeldButton(edit, buttons);
  EXPECT_EQ(edit.edit_buttons[0], 0) << "button 0 is a button too";
  EXPECT_EQ(ButtonCaptureFor(1) | ButtonCaptureFor(6), 0);
  EXPECT_EQ(ButtonCaptureFor(2) & ButtonCaptureFor(5), 1);
}

TEST_F(OptionScreen, CursorWrapsAndSkipsTheUndrawnRowsWithoutAJoystick) {
  const struct { int32_t from; int key; bool joystick; int32_t to; } cases[] = {
      {0, DIK_UP, true, 6},  {6, DIK_DOWN, true, 0},  {1, DIK_DOWN, true, 2},
      {6, DIK_UP, true, 5},  {1, DIK_DOWN, false, 6}, {6, DIK_UP, false, 1},
      {0, DIK_UP, false, 6}, {6, DIK_DOWN, false, 0},
  };
  for (const auto& c : cases) {
    edit.option_cursor = c.from;
    Step({c.key}, c.joystick);
    EXPECT_EQ(edit.option_cursor, c.to) << c.from << " key " << c.key << " joystick " << c.joystick;
  }
}

TEST_F(OptionScreen, EachRowShowsItsValueWhereTheScreenPutsIt) {
  edit.edit_buttons[1] = 12;
  const struct { int row, windowed, speedometer; const char* value; int y, y_solo; } cases[] = {
      {0, 0, 0, "Full", 90, 90},    {0, 1, 0, "Window", 90, 90},    {1, 0, 0, "Digital", 122, 122},
      {1, 0, 1, "Analog", 122, 122}, {3, 0, 0, "Btn12", 234, 234},  {6, 0, 0, "OK", 394, 186},
  };
  for (const auto& c : cases) {
    edit.edit_windowed = c.windowed;
    edit.edit_speedometer = c.speedometer;
    char text[kOptionTextSize];
    OptionRowValue(edit, c.row, text);
    EXPECT_STREQ(c.value, text) << c.row;
    EXPECT_EQ(c.y, OptionRowY(c.row, true)) << c.row;
    EXPECT_EQ(c.y_solo, OptionRowY(c.row, false)) << c.row << " without a joystick";
  }
  // The brackets close round the value: "Window" from 360, "OK" from 304.
  edit.edit_windowed = 1;
  edit.option_cursor = 0;
  const BracketPositions screen = CursorBrackets(edit, true);
  EXPECT_EQ(std::pair(344, 456), std::pair(screen.left_x, screen.right_x));
  edit.option_cursor = 6;
  const BracketPositions ok = CursorBrackets(edit, false);
  EXPECT_EQ(std::tuple(288, 336, 186), std::tuple(ok.left_x, ok.right_x, ok.y));
}

}  // namespace
