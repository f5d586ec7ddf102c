// The record data: the four ranking tables, the last entered name and the unlock flags, as
// one 1056-byte block that is the save file's body. Portable: no Windows header.
#pragma once

#include <cstddef>
#include <cstdint>

#include <vector>

#include "data/car_data_format.h"

// One place in a ranking table, 52 bytes:
//
//   offset  size  field
//   0       4     value: seconds (time tables) or km/h (top-speed tables), f32
//   4       10    player name, NUL-terminated, at most 8 characters
//   14      28    car name, NUL-terminated, at most 27 bytes
//   42      2     fps_at_signal, u16
//   44      2     fps_at_finish, u16; never 0 in an entry made by a race
//   46      2     zero
//   48      4     new-entry mark, i32
struct RankingEntry {
  float value;             // s or km/h
  char player_name[10];
  char car_name[28];
  uint16_t fps_at_signal;  // frames per second when the signal reached its third step
  uint16_t fps_at_finish;  // frames per second at the finish; 0 in a default entry
  uint8_t reserved[2];
  int32_t new_entry;       // 1 on the entry the latest race made in this table
};
static_assert(sizeof(RankingEntry) == 52, "RankingEntry must match the save file");
static_assert(offsetof(RankingEntry, player_name) == 4);
static_assert(offsetof(RankingEntry, car_name) == 14);
static_assert(offsetof(RankingEntry, fps_at_signal) == 42);
static_assert(offsetof(RankingEntry, fps_at_finish) == 44);
static_assert(offsetof(RankingEntry, new_entry) == 48);

constexpr int kCourseCount = 2;        // 0: 400 m, 1: 1000 m
constexpr int kRankingKinds = 2;       // kTimeTable, kSpeedTable
constexpr int kTimeTable = 0;          // ascending seconds
constexpr int kSpeedTable = 1;         // descending km/h
constexpr int kRankingEntries = 5;     // best first
constexpr int kPlayerNameMaxChars = 8;

// The block, 1056 bytes; table (c, k) starts at 520 × c + 260 × k:
//
//   offset  size  content
//   0       260   course 0 time table
//   260     260   course 0 top-speed table
//   520     260   course 1 time table
//   780     260   course 1 top-speed table
//   1040    12    player_name, NUL-terminated, at most 8 characters
//   1052    4     progress_flags, u32
struct RecordData {
  RankingEntry tables[kCourseCount][kRankingKinds][kRankingEntries];
  char player_name[12];     // the name last entered on the record screen
  uint32_t progress_flags;  // kUnlockCar0 | kUnlockCar1; the other bits stay 0
};
static_assert(sizeof(RecordData) == 1056, "RecordData must match the save file body");
static_assert(offsetof(RecordData, tables[1][0][0]) == 520);
static_assert(offsetof(RecordData, player_name) == 1040);
static_assert(offsetof(RecordData, progress_flags) == 1052);

constexpr uint32_t kUnlockCar0 = 1u << 0;  // the car whose id is 0
constexpr uint32_t kUnlockCar1 = 1u << 1;  // the car whose id is 1

extern RecordData record_data;

// The game's one random sequence: state × 214013 + 2531011, result (state >> 16) & 0x7FFF.
// The state is 1 at program start and only the default records draw from it, so the
// defaults are the same on every run.
extern uint32_t random_state;
int32_t Random();
int32_t NextRandom(uint32_t& state);

// The records of a new player: fixed times, speeds and names, and car names drawn from the
// table's selectable cars. Without any selectable car the car names stay empty.
void BuildDefaultRecords(RecordData& records, const std::vector<CarRecord>& cars,
                         uint32_t& state);
// The same on record_data with car_table and the game's random sequence.
void BuildDefaultRecords();
