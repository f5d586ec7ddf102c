// The command-line switch and the debug log's entry format.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "app/command_line.h"
#include "app/debug_log.h"
#include "app/debug_log_entry.h"

namespace {
TEST(CommandLineTest, OnlyAnExactFirstWordSlashDSwitchesDebugModeOn) {
  for (const char* on : {"/d", "  /d other words", "\t/d\tx"}) EXPECT_TRUE(IsDebugSwitch(on)) << on;
  for (const char* off : {"", "/D", "-d", "/debug", "x /d", "/"}) EXPECT_FALSE(IsDebugSwitch(off)) << off;
  EXPECT_FALSE(IsDebugSwitch(nullptr));
}

std::string ReadLogFile() {
  std::ifstream file(kLogFileName, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

LogTime FixedTime() { return {2026, 3, 7, 9, 5, 2}; }

TEST(DebugLogTest, WritesStampedEntriesOnlyInDebugModeAndKeepsPercentSigns) {
  std::remove(kLogFileName);
  SetLogClock(&FixedTime);
  debug_mode = 0;
  WriteLog("not written %d\n", 1);
  EXPECT_FALSE(std::ifstream(kLogFileName).good());

  debug_mode = 1;
  WriteLog("%s", "50%d of 100%s\n");
  WriteLog("second %d\n", 2);
  WriteLog("%s", std::string(1100, 'x').c_str());  // cut to the 1024-character buffer
  debug_mode = 0;
  SetLogClock(nullptr);
  const std::string log = ReadLogFile();
  std::remove(kLogFileName);
  const std::string stamp = "2026/03/07 09:05:02\t";
  EXPECT_EQ(log, stamp + "50%d of 100%s\n" + stamp + "second 2\n" + stamp + std::string(1023, 'x'));
}
}  // namespace
