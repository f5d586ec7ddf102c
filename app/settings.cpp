#include "app/settings.h"

#include <cstdio>

int32_t windowed = 0;
int32_t speedometer_style = 0;
uint8_t joystick_buttons[4] = {2, 5, 8, 9};
int32_t software_device = 0;
int32_t time_slip_panel = 0;
int32_t ghost_car = 0;
int32_t engine_sound = 0;

const SettingRow kSettingRows[kSettingCount] = {
    {"VORTA", "WINDOW", 0},        {"VORTA", "SPEEDMETER", 0}, {"JOYSTICK", "ALT", 2},
    {"JOYSTICK", "CTRL", 5},       {"JOYSTICK", "SPACE_ENTER", 8},
    {"JOYSTICK", "ESC", 9},        {"DEVICE", "HEL", 0},       {"VORTA", "SLIP", 0},
    {"VORTA", "GHOST", 0},         {"VORTA", "SOUND", 0},
};

namespace {
// The rows from here on were added for players who ask for them; they are kept only while on.
constexpr int kFirstOptionalRow = 7;
}  // namespace

void ReadConfiguration(ProfileIntReader read) {
  auto value = [&](int row) {
    const SettingRow& r = kSettingRows[row];
    return read(r.section, r.key, r.default_value);
  };
  windowed = value(0);
  speedometer_style = value(1);
  for (int button = 0; button < 4; ++button) {
    joystick_buttons[button] = static_cast<uint8_t>(value(2 + button));
  }
  software_device = value(6);
  time_slip_panel = value(7);
  ghost_car = value(8);
  engine_sound = value(9);
}

void WriteConfiguration(ProfileStringWriter write) {
  const int values[kSettingCount] = {
      windowed,           speedometer_style,   joystick_buttons[0], joystick_buttons[1],
      joystick_buttons[2], joystick_buttons[3], software_device,     time_slip_panel,
      ghost_car,           engine_sound,
  };
  for (int row = 0; row < kSettingCount; ++row) {
    char text[256] = {};
    std::snprintf(text, sizeof text, "%d", values[row]);
    const bool removed = row >= kFirstOptionalRow && values[row] == 0;
    write(kSettingRows[row].section, kSettingRows[row].key, removed ? nullptr : text);
  }
}

int32_t NextSpeedometerStyle(int32_t style) {
  // Compared before adding: a file may hold any 32-bit value, and the largest has no successor.
  return style >= 1 ? 0 : style + 1;
}
