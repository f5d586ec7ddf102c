#include "screens/options.h"

#include <cstdio>
#include <cstring>

#include "app/settings.h"
#include "input/joystick_fold.h"
#include "input/key_codes.h"
#include "input/key_state.h"

OptionEdit option_edit;

namespace {
constexpr int32_t kOptionRowCount = kOptionOkRow + 1;
constexpr int32_t kCellWidth = 16;  // pixels

int32_t Toggled(int32_t value) { return value == 0 ? 1 : 0; }

int32_t MoveCursor(int32_t cursor, int32_t step, bool hasJoystick) {
  int32_t next = cursor + step;
  if (!hasJoystick && OnButtonRow(next)) next = step < 0 ? kOptionSpeedometerRow : kOptionOkRow;
  if (next >= kOptionRowCount) return 0;
  if (next < 0) return kOptionOkRow;
  return next;
}
}  // namespace

OptionEdit CopySettingsForEditing() {
  OptionEdit edit;
  edit.edit_windowed = windowed;
  edit.running_windowed = windowed;
  edit.edit_speedometer = speedometer_style;
  std::memcpy(edit.edit_buttons, joystick_buttons, sizeof edit.edit_buttons);
  edit.edit_device = software_device;
  return edit;
}

bool OnButtonRow(int32_t optionCursor) {
  return optionCursor >= kOptionFirstButtonRow && optionCursor <= kOptionLastButtonRow;
}

int32_t ButtonCaptureFor(int32_t optionCursor) {
  return OnButtonRow(optionCursor) ? kButtonCaptureBit : 0;
}

void AssignHeldButton(OptionEdit& edit, const uint8_t buttons[32]) {
  if (!OnButtonRow(edit.option_cursor)) return;
  for (int b = 0; b < kJoystickButtonCount; ++b) {
    if ((buttons[b] & kKeyDownBit) == 0) continue;
    uint8_t& row = edit.edit_buttons[edit.option_cursor - kOptionFirstButtonRow];
    for (uint8_t& other : edit.edit_buttons) {
      if (other == b) other = row;
    }
    row = static_cast<uint8_t>(b);
    return;
  }
}

bool StepOptionKeys(OptionEdit& edit, const uint8_t* keys, const uint8_t* previous,
                    bool hasJoystick) {
  auto pressed = [&](int code) { return IsKeyPressed(keys, previous, code); };
  const bool apply = pressed(DIK_SPACE) && edit.option_cursor == kOptionOkRow;
  if (pressed(DIK_LEFT) || pressed(DIK_RIGHT)) {
    if (edit.option_cursor == kOptionScreenRow) edit.edit_windowed = Toggled(edit.edit_windowed);
    if (edit.option_cursor == kOptionSpeedometerRow) {
      edit.edit_speedometer = Toggled(edit.edit_speedometer);
    }
  }
  if (pressed(DIK_UP)) edit.option_cursor = MoveCursor(edit.option_cursor, -1, hasJoystick);
  if (pressed(DIK_DOWN)) edit.option_cursor = MoveCursor(edit.option_cursor, 1, hasJoystick);
  return apply;
}

void FollowScreenMode(OptionEdit& edit, int32_t windowedNow) {
  if (windowedNow == edit.running_windowed) return;
  edit.running_windowed = windowedNow;
  edit.edit_windowed = windowedNow;
}

bool ScreenModeChanged(const OptionEdit& edit) { return edit.edit_windowed != windowed; }

void ApplyOptionEdit(const OptionEdit& edit) {
  speedometer_style = edit.edit_speedometer;
  windowed = edit.edit_windowed;
  std::memcpy(joystick_buttons, edit.edit_buttons, sizeof edit.edit_buttons);
  software_device = edit.edit_device;
}

int32_t OptionRowY(int32_t row, bool hasJoystick) {
  constexpr int32_t kRowY[kOptionRowCount] = {90, 122, 202, 234, 266, 298, 394};
  if (row == kOptionOkRow && !hasJoystick) return 186;
  return kRowY[row >= 0 && row < kOptionRowCount ? row : 0];
}

const char* OptionRowLabel(int32_t row) {
  static const char* const kLabels[kOptionRowCount] = {
      "Screen         :", "Speedmeter     :", "  Alt          :", "  Ctrl         :",
      "  Space&Enter  :", "  Esc          :", "OK"};
  return kLabels[row >= 0 && row < kOptionRowCount ? row : kOptionOkRow];
}

void OptionRowValue(const OptionEdit& edit, int32_t row, char (&text)[kOptionTextSize]) {
  if (row == kOptionScreenRow) {
    std::snprintf(text, sizeof text, "%s", edit.edit_windowed == 0 ? "Full" : "Window");
  } else if (row == kOptionSpeedometerRow) {
    std::snprintf(text, sizeof text, "%s", edit.edit_speedometer == 0 ? "Digital" : "Analog");
  } else if (OnButtonRow(row)) {
    std::snprintf(text, sizeof text, "Btn%d", edit.edit_buttons[row - kOptionFirstButtonRow]);
  } else {
    std::snprintf(text, sizeof text, "%s", "OK");
  }
}

BracketPositions CursorBrackets(const OptionEdit& edit, bool hasJoystick) {
  char text[kOptionTextSize];
  OptionRowValue(edit, edit.option_cursor, text);
  const int32_t x = edit.option_cursor == kOptionOkRow ? kOptionOkX : kOptionValueX;
  const int32_t length = static_cast<int32_t>(std::strlen(text));
  return {x - kCellWidth, x + kCellWidth * length, OptionRowY(edit.option_cursor, hasJoystick)};
}
