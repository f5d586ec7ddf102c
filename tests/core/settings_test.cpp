#include "app/settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>

namespace {
// A profile file in memory: "SECTION/KEY" -> text.
std::map<std::string, std::string> profile;

int ReadFake(const char* section, const char* key, int default_value) {
  auto found = profile.find(std::string(section) + "/" + key);
  return found == profile.end() ? default_value : std::stoi(found->second);
}

void WriteFake(const char* section, const char* key, const char* text) {
  if (text == nullptr) {
    profile.erase(std::string(section) + "/" + key);
  } else {
    profile[std::string(section) + "/" + key] = text;
  }
}

TEST(SettingsTest, SignedSettingsRoundTripAsSignedText) {
  profile["VORTA/WINDOW"] = "1";
  profile["VORTA/SPEEDMETER"] = "-3";
  profile["DEVICE/HEL"] = "12";
  ReadConfiguration(&ReadFake);
  EXPECT_EQ(windowed, 1);
  EXPECT_EQ(speedometer_style, -3);
  EXPECT_EQ(software_device, 12);
  WriteConfiguration(&WriteFake);
  EXPECT_EQ(profile["VORTA/SPEEDMETER"], "-3");
  EXPECT_EQ(profile["DEVICE/HEL"], "12");
}

// Off, the panel leaves no key behind: the file stays what it was before the panel existed.
TEST(SettingsTest, SlipIsKeptOnlyWhileThePanelIsOn) {
  profile.clear();
  ReadConfiguration(&ReadFake);
  EXPECT_EQ(time_slip_panel, 0);
  WriteConfiguration(&WriteFake);
  EXPECT_EQ(profile.count("VORTA/SLIP"), 0u);
  EXPECT_EQ(profile.size(), 7u);

  profile["VORTA/SLIP"] = "1";
  ReadConfiguration(&ReadFake);
  EXPECT_EQ(time_slip_panel, 1);
  WriteConfiguration(&WriteFake);
  EXPECT_EQ(profile["VORTA/SLIP"], "1");
  time_slip_panel = 0;
  WriteConfiguration(&WriteFake);
  EXPECT_EQ(profile.count("VORTA/SLIP"), 0u);
}
}  // namespace

TEST(SpeedometerStyleTest, F1AlternatesAndWrapsAnyValueFromTheFile) {
  const std::pair<int32_t, int32_t> steps[] = {{0, 1}, {1, 0}, {5, 0}, {INT32_MAX, 0}};
  for (const auto& [style, next] : steps) EXPECT_EQ(NextSpeedometerStyle(style), next) << style;
}
