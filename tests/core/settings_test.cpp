#include "app/settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>
#include <tuple>
#include <utility>

namespace {
// A profile file in memory: "SECTION/KEY" -> text.
std::map<std::string, std::string> profile;

int ReadFake(const char* section, const char* key, int default_value) {
  auto found = profile.find(std::string(section) + "/" + key);
  return found == profile.end() ? default_value : std::stoi(found->second);
}

void WriteFake(const char* section, const char* key, const char* text) {
  const std::string name = std::string(section) + "/" + key;
  if (text == nullptr) return void(profile.erase(name));
  profile[name] = text;
}

TEST(SettingsTest, AFileWithoutKeysGivesTheDefaultsAndWritesEveryKeyButTheSlip) {
  profile.clear();
  ReadConfiguration(&ReadFake);
  WriteConfiguration(&WriteFake);
  const std::map<std::string, std::string> written = {
      {"VORTA/WINDOW", "0"},  {"VORTA/SPEEDMETER", "0"},   {"JOYSTICK/ALT", "2"},
      {"JOYSTICK/CTRL", "5"}, {"JOYSTICK/SPACE_ENTER", "8"}, {"JOYSTICK/ESC", "9"},
      {"DEVICE/HEL", "0"}};
  EXPECT_EQ(written, profile);
}

TEST(SettingsTest, SignedSettingsRoundTripAsSignedText) {
  profile["VORTA/WINDOW"] = "1";
  profile["VORTA/SPEEDMETER"] = "-3";
  profile["DEVICE/HEL"] = "12";
  profile["JOYSTICK/ALT"] = "263";  // kept as a byte: button 7
  ReadConfiguration(&ReadFake);
  EXPECT_EQ(std::tuple(windowed, speedometer_style, software_device, int(joystick_buttons[0])),
            std::tuple(1, -3, 12, 7));
  WriteConfiguration(&WriteFake);
  EXPECT_EQ(profile["VORTA/SPEEDMETER"], "-3");
  EXPECT_EQ(profile["DEVICE/HEL"], "12");
  EXPECT_EQ(profile["JOYSTICK/ALT"], "7");
}

// The player's additions: off, each leaves no key behind, and a missing key reads as off.
TEST(SettingsTest, EachAdditionIsKeptOnlyWhileOn) {
  const std::pair<const char*, int32_t*> additions[] = {
      {"VORTA/SLIP", &time_slip_panel}, {"VORTA/GHOST", &ghost_car}, {"VORTA/SOUND", &engine_sound}};
  for (const auto& [name, global] : additions) {
    profile.clear();
    profile[name] = "1";
    ReadConfiguration(&ReadFake);
    EXPECT_EQ(*global, 1) << name;
    WriteConfiguration(&WriteFake);
    EXPECT_EQ(profile[name], "1");
    EXPECT_EQ(profile.size(), 8u) << name << ": the seven keys and this one";
    *global = 0;
    WriteConfiguration(&WriteFake);
    EXPECT_EQ(profile.count(name), 0u);
    *global = 1;
    ReadConfiguration(&ReadFake);
    EXPECT_EQ(*global, 0) << name;
  }
}
}  // namespace

TEST(SpeedometerStyleTest, F1AlternatesAndWrapsAnyValueFromTheFile) {
  const std::pair<int32_t, int32_t> steps[] = {{0, 1}, {1, 0}, {5, 0}, {INT32_MAX, 0}};
  for (const auto& [style, next] : steps) EXPECT_EQ(NextSpeedometerStyle(style), next) << style;
}
