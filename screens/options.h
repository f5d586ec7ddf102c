// The option screen's edited copy of the settings, its key handling, the joystick button
// assignment and where its rows stand. Portable: the Windows side reads the devices, rebuilds
// the display and draws.
#pragma once

#include <cstddef>
#include <cstdint>

// Rows under the cursor, top to bottom.
enum OptionRow : int32_t {
  kOptionScreenRow = 0,       // window or full screen
  kOptionSpeedometerRow = 1,  // digital or analog
  kOptionFirstButtonRow = 2,  // Alt, Ctrl, Space&Enter, Esc buttons: rows 2..5
  kOptionLastButtonRow = 5,
  kOptionOkRow = 6,           // applies the copy and returns to the title
};

// The copy lives from the screen's entry to the next entry; only "OK" writes it back.
struct OptionEdit {
  int32_t option_cursor = 0;
  int32_t edit_windowed = 0;     // 0: full screen, else a window
  int32_t edit_speedometer = 0;  // 0: digital, else analog
  uint8_t edit_buttons[4] = {};  // joystick buttons for Alt, Ctrl, Space&Enter, Esc
  int32_t edit_device = 0;       // not editable here; written back unchanged
  int32_t running_windowed = 0;  // the mode running when the screen last looked
};

extern OptionEdit option_edit;

// The settings as they stand, cursor on the first row.
OptionEdit CopySettingsForEditing();

// While the cursor is on a button row the joystick's buttons are kept from acting, so that
// the one pressed for assignment does only that.
int32_t ButtonCaptureFor(int32_t optionCursor);
bool OnButtonRow(int32_t optionCursor);

// The lowest-numbered button held (bit 7 of its byte) goes to the row under the cursor; a row
// that held it already gets the cursor row's old button, so the two swap. Nothing off a
// button row or with no button held.
void AssignHeldButton(OptionEdit& edit, const uint8_t buttons[32]);

// The keys of one frame that was read. True when "OK" was chosen: the caller applies the copy
// (ApplyOptionEdit) and returns to the title. Left or Right toggles the first two rows, once
// per frame even when both are pressed; Up and Down move the cursor round the rows, and
// without a joystick they step over the button rows, which are not drawn then.
bool StepOptionKeys(OptionEdit& edit, const uint8_t* keys, const uint8_t* previous,
                    bool hasJoystick);

// F2 switches the running mode under the screen: the Screen row then shows the new mode, so
// that OK keeps it. A toggle of the row's own stays while the mode stays.
void FollowScreenMode(OptionEdit& edit, int32_t windowedNow);

// The screen mode differs from the one running: applying must rebuild the display.
bool ScreenModeChanged(const OptionEdit& edit);
// Writes the copy into the settings.
void ApplyOptionEdit(const OptionEdit& edit);

// --- Where things stand (16 x 32 text) -----------------------------------------------------
constexpr int32_t kOptionLabelX = 72;
constexpr int32_t kOptionValueX = 360;
constexpr int32_t kOptionOkX = 304;
constexpr size_t kOptionTextSize = 24;

// The row's top; without a joystick only rows 0, 1 and "OK" are drawn, "OK" moved up.
int32_t OptionRowY(int32_t row, bool hasJoystick);
const char* OptionRowLabel(int32_t row);
// What the row shows right of its label ("OK" for the last row).
void OptionRowValue(const OptionEdit& edit, int32_t row, char (&text)[kOptionTextSize]);
// Left of and right after the text under the cursor.
struct BracketPositions {
  int32_t left_x, right_x, y;
};
BracketPositions CursorBrackets(const OptionEdit& edit, bool hasJoystick);
