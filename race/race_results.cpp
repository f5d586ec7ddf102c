#include "race/race_results.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "data/car_data_format.h"

namespace {

constexpr int kWorkEntries = kRankingEntries + 1;  // the table and the new run

// Byte-wise, as unsigned bytes, up to the NUL or the end of the field.
template <size_t N>
int CompareField(const char (&a)[N], const char (&b)[N]) {
  return std::strncmp(a, b, N);
}

// Whether value a ranks before b. A value that is not a number (a hand-edited save file)
// ranks behind every real one, so the ordering stays strict.
bool ValueBefore(float a, float b, bool ascending) {
  if (std::isnan(a) || std::isnan(b)) return !std::isnan(a) && std::isnan(b);
  return ascending ? a < b : a > b;
}

// Strict: entries equal in value, player and car are not ordered, so the stable sort keeps
// the older ones ahead of the new run and nothing is ever merged.
bool RanksBefore(const RankingEntry& a, const RankingEntry& b, bool ascending) {
  if (ValueBefore(a.value, b.value, ascending)) return true;
  if (ValueBefore(b.value, a.value, ascending)) return false;
  const int byPlayer = CompareField(a.player_name, b.player_name);
  if (byPlayer != 0) return byPlayer < 0;
  return CompareField(a.car_name, b.car_name) < 0;
}

RankingEntry MakeEntry(float value, const RaceState& race, const RecordData& records,
                       const CarSpec& car) {
  RankingEntry entry = {};
  entry.value = value;
  // The entry's name field takes the whole 8 bytes of the name; its last two stay zero.
  std::memcpy(entry.player_name, records.player_name, kPlayerNameMaxChars);
  // The loader already cuts long names, but a car may come from anywhere: cut it the same
  // way, never between the two bytes of a character, so it always fits the field.
  char name[sizeof car.name];
  std::memcpy(name, car.name, sizeof name);
  TerminateCarName(name);
  std::memcpy(entry.car_name, name, sizeof entry.car_name);
  entry.fps_at_signal = race.fps_at_signal;
  entry.fps_at_finish = race.fps_at_finish;
  entry.new_entry = 1;
  return entry;
}

// Ranks the new entry into one table; returns its place 1..5, or 0 if it fell out.
uint8_t RankInto(RankingEntry (&table)[kRankingEntries], const RankingEntry& entry,
                 bool ascending) {
  RankingEntry work[kWorkEntries];
  for (int i = 0; i < kRankingEntries; ++i) {
    work[i] = table[i];
    work[i].new_entry = 0;
  }
  work[kRankingEntries] = entry;
  std::stable_sort(work, work + kWorkEntries, [ascending](const RankingEntry& a,
                                                          const RankingEntry& b) {
    return RanksBefore(a, b, ascending);
  });
  uint8_t rank = 0;
  for (int i = 0; i < kRankingEntries; ++i) {
    table[i] = work[i];
    if (work[i].new_entry == 1) rank = static_cast<uint8_t>(i + 1);
  }
  return rank;
}

bool EveryTableHeadedByARace(const RecordData& records) {
  for (const auto& course : records.tables) {
    for (const auto& table : course) {
      if (table[0].fps_at_finish == 0) return false;
    }
  }
  return true;
}

}  // namespace

void RecordRaceResult(RaceState& race, RecordData& records, int course, const CarSpec& car) {
  if (race.result_recorded) return;
  course = course == 1 ? 1 : 0;
  const float seconds = static_cast<float>(race.race_time_ms * 0.001);
  race.time_rank = RankInto(records.tables[course][kTimeTable],
                            MakeEntry(seconds, race, records, car), true);
  race.speed_rank = RankInto(records.tables[course][kSpeedTable],
                             MakeEntry(static_cast<float>(race.top_speed), race, records, car),
                             false);
  if (EveryTableHeadedByARace(records)) records.progress_flags |= kUnlockCar0 | kUnlockCar1;
  race.result_recorded = true;
}
