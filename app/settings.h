// The player's settings, read once at boot from .\vorta.ini and written once at exit.
#pragma once

#include <cstdint>
#include <string>

extern int32_t windowed;            // 0: full screen; non-zero: in a window
extern int32_t speedometer_style;   // 0: digital; non-zero: analog
extern uint8_t joystick_buttons[4]; // buttons acting as Alt, Ctrl, Space&Enter, Esc
extern int32_t software_device;     // non-zero: never try the hardware 3D device
extern int32_t time_slip_panel;     // non-zero: the race shows the time slip (F3)
extern int32_t ghost_car;           // non-zero: the best run of this car races in the next lane (F4)
extern int32_t engine_sound;        // non-zero: the engine is heard (F5)

constexpr const char* kSettingsFile = ".\\vorta.ini";

// The file's rows, in the order they are read and written.
struct SettingRow {
  const char* section;
  const char* key;
  int default_value;
};
constexpr int kSettingCount = 10;
extern const SettingRow kSettingRows[kSettingCount];

// The profile functions, handed in by the platform layer (and by tests); a null text removes
// the key.
using ProfileIntReader = int (*)(const char* section, const char* key, int default_value);
using ProfileStringWriter = void (*)(const char* section, const char* key, const char* text);

// Reads the keys into their globals; the joystick buttons keep their low eight bits.
void ReadConfiguration(ProfileIntReader read);

// The style F1 switches to in the race: one past the current, back to 0 past 1.
int32_t NextSpeedometerStyle(int32_t style);

// Writes the keys from their globals as decimal text (signed for the 32-bit settings, 0..255
// for the buttons). SLIP, GHOST and SOUND are the player's additions: each is written only
// while it is on; off, its key is removed (a null text), so a player who never used them
// keeps the file the game always wrote.
void WriteConfiguration(ProfileStringWriter write);
