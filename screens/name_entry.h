// Naming a placed run on the record screen after a race: typed characters, the character
// dialled with Up and Down, the cursor, and the confirmation that names the run's entries.
// Portable: the Windows side hands in the typed character, the keys and the time.
#pragma once

#include <cstdint>

#include "data/record_data.h"
#include "screens/record_viewer.h"

constexpr uint32_t kNameRepeatMs = 120;  // ms between steps of a held Up or Down

// The places of the latest run in its course's two tables, 1..5, 0 = not placed.
struct RunPlaces {
  uint8_t& time_rank;
  uint8_t& speed_rank;
};

// The 0-based line of the entry being named: the time table's place when there is one, else
// the top-speed table's; -1 when the run placed nowhere (or at a place past the table).
int32_t NamedLine(uint8_t timeRank, uint8_t speedRank);

// The entry being named in the course's tables, its name cut to 8 characters; nullptr when
// there is none.
RankingEntry* EditedEntry(RecordData& records, uint8_t raceMode, uint8_t timeRank,
                          uint8_t speedRank);

// Entering the screen after a race: the first character, the course line, and the Space
// that brought the player here counted as typed.
void EnterNameEntry(RecordScreenState& screen);

// One typed character (0 when none): a printable one that differs from the last read goes
// into the name at the cursor, which then moves on unless it is on the last character. A key
// held down thus types once.
void TypeNameCharacter(RecordScreenState& screen, char* name, int32_t typed);

// The keys of one frame that was read: Up and Down held step the character at the cursor at
// once and then every kNameRepeatMs, Left and Right move the cursor round the eight places,
// Backspace blanks the place left of the cursor and moves there (not below the first),
// Delete blanks from the cursor to the end, Return confirms. A run placed in both tables is named in the time table first; the same name
// then goes into its top-speed entry and that one is edited next. The last confirmation asks
// for a new race with the same car. `name` may be nullptr when there is no entry.
void StepNameEntry(const uint8_t* keys, const uint8_t* previous, uint32_t nowMs,
                   RecordScreenState& screen, RecordData& records, char* name, uint8_t raceMode,
                   int32_t& resultTable, RunPlaces places, int32_t& sceneState);
