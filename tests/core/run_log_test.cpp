// The run log's lines, as a spreadsheet or a script reads them.
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "race/run_log.h"

namespace {

RaceState FinishedRun(uint32_t reactionMs,
                      std::initializer_list<std::pair<uint32_t, double>> marks, double top,
                      uint16_t fps) {
  RaceState race = {};
  race.slip.reacted = true;
  race.slip.reaction_ms = reactionMs;
  int i = 0;
  for (const auto& [ms, kmh] : marks) race.slip.marks[i++] = {true, ms, kmh};
  race.top_speed = top;
  race.fps_at_finish = fps;
  return race;
}

TEST(RunLog, OneLinePerRunWithEmptyFieldsForMarksTheCourseLacks) {
  const struct {
    LocalDateTime date;
    const char* car;
    int32_t course;
    RaceState race;
    const char* line;
  } cases[] = {
      {{2026, 12, 6, 9, 5, 3}, "ARATA Kazami\xEF\xBD\xA5MR", 400,
       FinishedRun(412, {{1234, 61.2}, {8000, 120.0}, {5, 150.04}, {9512, 208.0}}, 208.0, 60),
       "2026-12-06 09:05:03,ARATA Kazami\xEF\xBD\xA5MR,400,0.412,1.234,8.000,0.005,150.0,9.512,"
       "208.0,,,,,208.0,60"},
      {{1999, 1, 31, 23, 59, 59}, "A \"B\", C", 1000,
       FinishedRun(99999, {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {99999, 266.75}}, 266.8, 1),
       "1999-01-31 23:59:59,\"A \"\"B\"\", C\",1000,99.999,0.001,0.002,0.003,3.0,0.004,4.0,"
       "0.005,0.006,99.999,266.8,266.8,1"},
      {{2026, 1, 2, 3, 4, 5}, "X", 400, RaceState{}, "2026-01-02 03:04:05,X,400,,,,,,,,,,,,0.0,0"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.line, FormatRunLogLine(c.date, c.car, c.course, c.race));
}

TEST(RunLog, AnEmptyLogGetsTheHeaderAndALastLineWithoutEndGetsOne) {
  const std::string header =
      "date,car,course_m,reaction_s,t20_s,t100_s,t200_s,v200_kmh,t400_s,v400_kmh,t600_s,t800_s,"
      "t1000_s,v1000_kmh,top_kmh,fps_finish\r\n";
  EXPECT_EQ(header + "L\r\n", RunLogAppendText(0, '\0', "L"));
  EXPECT_EQ("L\r\n", RunLogAppendText(120, '\n', "L"));
  EXPECT_EQ("\r\nL\r\n", RunLogAppendText(120, '7', "L"));
}

// The car names are the game's Shift-JIS: half-width katakana become their UTF-8 letters (as
// Python's cp932 codec gives them), a double-byte lead a '?', and the name stops at its bound.
TEST(RunLog, CarNamesGoFromShiftJisToUtf8) {
  EXPECT_EQ("\xEF\xBD\xB2\xEF\xBD\xB6\xEF\xBD\xBD\xEF\xBE\x9E\xEF\xBE\x81 \xEF\xBE\x8C\xEF\xBD\xA7",
            SingleByteShiftJisToUtf8("\xB2\xB6\xBD\xDE\xC1 \xCC\xA7", 27));
  EXPECT_EQ("A?B", SingleByteShiftJisToUtf8("A\x81" "B", 27));
  EXPECT_EQ("AR", SingleByteShiftJisToUtf8("ARATA", 2));
}

}  // namespace
