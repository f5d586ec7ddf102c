// A finished run ranked into the course's tables.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "race/race_results.h"
#include "test_cars.h"

namespace {

// Course 0 holds raced entries (10..14 s, 200..160 km/h); course 1 only default ones.
struct Tables : RecordData {
  Tables() : RecordData() {
    for (int i = 0; i < kRankingEntries; ++i) {
      tables[0][kTimeTable][i] = {10.0f + i, "BBB", "TEST FR", 0, 60, {}, 0};
      tables[0][kSpeedTable][i] = {200.0f - 10 * i, "BBB", "TEST FR", 0, 60, {}, 0};
      tables[1][kTimeTable][i] = {30.0f + i, "CPU", "X", 0, 0, {}, 0};
      tables[1][kSpeedTable][i] = {150.0f - i, "CPU", "X", 0, 0, {}, 0};
    }
  }
};

TEST(RaceResults, RanksByValueThenPlayerThenCarAndUnlocksWhenRacesHeadEveryTable) {
  const struct { int course; uint32_t ms; double top; const char player[9]; const char* car;
                 uint8_t timeRank, speedRank; uint32_t flags; } cases[] = {
      {0, 10500, 150.0, "BBB", "TEST FR", 2, 0, 0},
      {0, 15000, 185.0, "BBB", "TEST FR", 0, 3, 0},
      {0, 15000, 150.0, "BBB", "TEST FR", 0, 0, 0},
      {0, 11000, 150.0, "AAA", "TEST FR", 2, 0, 0},
      {0, 11000, 150.0, "CCC", "TEST FR", 3, 0, 0},
      {0, 11000, 150.0, "BBB", "TEST AA", 2, 0, 0},
      {0, 11000, 170.0, "BBB", "TEST FR", 3, 5, 0},  // identical: behind the old one
      {1, 20000, 160.0, "ABCDEFGH", "TEST FR", 1, 1, kUnlockCar0 | kUnlockCar1},
      {1, 20000, 100.0, "AB\0CDEFG", "A CAR NAME TOO LONG FOR ITS FIELD", 1, 0, 0}};
  for (const auto& c : cases) {
    Tables records;
    std::memcpy(records.player_name, c.player, kPlayerNameMaxChars);
    CarSpec car = MakeRecord4();
    std::strcpy(car.name, c.car);
    RaceState race = {};
    race.race_time_ms = c.ms;
    race.top_speed = c.top;
    race.fps_at_signal = 55;
    race.fps_at_finish = 58;
    RecordRaceResult(race, records, c.course, car);
    RecordRaceResult(race, records, c.course, car);  // entered once only
    EXPECT_EQ(c.timeRank, race.time_rank) << c.ms << c.player << c.car;
    EXPECT_EQ(c.speedRank, race.speed_rank) << c.top;
    EXPECT_EQ(c.flags, records.progress_flags);
    const RankingEntry* table = records.tables[c.course][kTimeTable];
    int marks = 0;
    for (int i = 0; i < kRankingEntries; ++i) marks += table[i].new_entry;
    EXPECT_EQ(c.timeRank != 0, marks);
    if (c.timeRank == 0) continue;
    const RankingEntry& mine = table[c.timeRank - 1];
    EXPECT_EQ(0, std::memcmp(mine.player_name, c.player, 9)) << "all 8 bytes, then a zero";
    EXPECT_EQ(std::string(c.car).substr(0, 27), mine.car_name);
    EXPECT_EQ(55, mine.fps_at_signal);
    EXPECT_EQ(58, mine.fps_at_finish);
  }
  Tables stray;
  RaceState race = {};
  race.race_time_ms = 10500;
  RecordRaceResult(race, stray, 7, MakeRecord4());
  EXPECT_EQ(2, race.time_rank) << "an unknown course is entered as the 400 m one";
  EXPECT_EQ(1, stray.tables[0][kTimeTable][1].new_entry);
}

}  // namespace
