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
  EXPECT_TRUE(IsDebugSwitch("/d"));
  EXPECT_TRUE(IsDebugSwitch("  /d other words"));
  EXPECT_TRUE(IsDebugSwitch("\t/d\tx"));
  EXPECT_FALSE(IsDebugSwitch(nullptr));
  EXPECT_FALSE(IsDebugSwitch(""));
  EXPECT_FALSE(IsDebugSwitch("/D"));
  EXPECT_FALSE(IsDebugSwitch("-d"));
  EXPECT_FALSE(IsDebugSwitch("/debug"));
  EXPECT_FALSE(IsDebugSwitch("x /d"));
  EXPECT_FALSE(IsDebugSwitch("/"));
}

TEST(DebugLogTest, EntryIsTheStampATabAndTheMessageUnchanged) {
  const LogTime time{2026, 3, 7, 9, 5, 2};
  EXPECT_EQ(FormatLogEntry(time, "100% done\n"), "2026/03/07 09:05:02\t100% done\n");
}

std::string ReadLogFile() {
  std::ifstream file(kLogFileName, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(DebugLogTest, WritesOnlyInDebugModeAndKeepsPercentSigns) {
  std::remove(kLogFileName);
  debug_mode = 0;
  WriteLog("not written %d\n", 1);
  EXPECT_FALSE(std::ifstream(kLogFileName).good());

  debug_mode = 1;
  WriteLog("%s", "50%d of 100%s\n");
  WriteLog("second %d\n", 2);
  debug_mode = 0;
  const std::string log = ReadLogFile();
  std::remove(kLogFileName);

  const size_t first_tab = log.find('\t');
  ASSERT_NE(first_tab, std::string::npos);
  EXPECT_EQ(first_tab, 19u) << "the stamp is yyyy/mm/dd hh:mm:ss";
  EXPECT_NE(log.find("\t50%d of 100%s\n"), std::string::npos);
  EXPECT_NE(log.find("\tsecond 2\n"), std::string::npos);
}
}  // namespace
