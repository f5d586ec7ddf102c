#include "screens/name_entry.h"

#include <cstring>

#include "app/scene_state.h"
#include "input/key_codes.h"
#include "input/key_state.h"

namespace {
constexpr int kLastNamePlace = kPlayerNameMaxChars - 1;
constexpr uint8_t kFirstPrintable = 32;  // space
constexpr uint8_t kLastPrintable = 126;  // '~'

bool IsPrintable(int32_t code) { return code >= kFirstPrintable && code <= kLastPrintable; }

// Anything the fonts cannot draw (the 0 past the end of a short name above all) counts as a
// space, so dialling never writes a control code into a name.
uint8_t PrintableOrSpace(char c) {
  const uint8_t code = static_cast<uint8_t>(c);
  return IsPrintable(code) ? code : kFirstPrintable;
}

char StepUp(char c) {
  const uint8_t code = PrintableOrSpace(c);
  return static_cast<char>(code < kLastPrintable ? code + 1 : kFirstPrintable);
}

char StepDown(char c) {
  const uint8_t code = PrintableOrSpace(c);
  return static_cast<char>(code <= kFirstPrintable ? kLastPrintable : code - 1);
}

// A character written past the end of a shorter name would hide behind the name's end: the
// gap becomes spaces, so what the player sees is what is stored.
void PutNameCharacter(char* name, int place, char c) {
  for (int i = 0; i < place; ++i) {
    if (name[i] == 0) name[i] = ' ';
  }
  name[place] = c;
}

// Once the time has passed the repeat time, not on it. Wrap-safe: the timer runs round after
// 2^32 ms.
bool RepeatDue(uint32_t nowMs, uint32_t repeatAt) {
  return repeatAt == 0 || static_cast<int32_t>(nowMs - repeatAt) > 0;
}

void DialHeld(bool held, uint32_t nowMs, uint32_t& repeatAt, char* name, int place,
              char (*step)(char)) {
  if (!held) {
    repeatAt = 0;
    return;
  }
  if (name == nullptr || !RepeatDue(nowMs, repeatAt)) return;
  PutNameCharacter(name, place, step(name[place]));
  repeatAt = nowMs + kNameRepeatMs;
}

// Backspace blanks the place left of the cursor and moves there (the first place blanks
// itself); Delete blanks from the cursor to the last place. Spaces, not NULs, so the name
// keeps its length and what shows is what is stored.
void EraseName(bool backspace, bool erase, char* name, uint8_t& cursor) {
  if (name == nullptr) return;
  if (backspace) {
    if (cursor > 0) --cursor;
    PutNameCharacter(name, cursor, ' ');
  }
  if (erase) {
    for (int place = cursor; place <= kLastNamePlace; ++place) PutNameCharacter(name, place, ' ');
  }
}

void CopyName(char* destination, size_t size, const char* name) {
  std::memset(destination, 0, size);
  std::memcpy(destination, name, strnlen(name, kPlayerNameMaxChars));
}
}  // namespace

int32_t NamedLine(uint8_t timeRank, uint8_t speedRank) {
  const int32_t rank = timeRank != 0 ? timeRank : speedRank;
  return rank >= 1 && rank <= kRankingEntries ? rank - 1 : -1;
}

RankingEntry* EditedEntry(RecordData& records, uint8_t raceMode, uint8_t timeRank,
                          uint8_t speedRank) {
  const int32_t line = NamedLine(timeRank, speedRank);
  if (line < 0 || raceMode >= kCourseCount) return nullptr;
  const int table = timeRank != 0 ? kTimeTable : kSpeedTable;
  RankingEntry& entry = records.tables[raceMode][table][line];
  entry.player_name[kPlayerNameMaxChars] = 0;
  return &entry;
}

void EnterNameEntry(RecordScreenState& screen) {
  screen.records_row = 0;
  screen.name_cursor = 0;
  // The Space that ended the race may still be held: counted as typed already, it types
  // nothing, whatever the last visit was left with (Esc leaves it on another character).
  screen.last_typed_char = kFirstPrintable;
}

void TypeNameCharacter(RecordScreenState& screen, char* name, int32_t typed) {
  if (name != nullptr && IsPrintable(typed) && typed != screen.last_typed_char) {
    PutNameCharacter(name, screen.name_cursor, static_cast<char>(typed));
    if (screen.name_cursor < kLastNamePlace) ++screen.name_cursor;
  }
  screen.last_typed_char = typed;
}

void StepNameEntry(const uint8_t* keys, const uint8_t* previous, uint32_t nowMs,
                   RecordScreenState& screen, RecordData& records, char* name, uint8_t raceMode,
                   int32_t& resultTable, RunPlaces places, int32_t& sceneState) {
  auto pressed = [&](int code) { return IsKeyPressed(keys, previous, code); };
  DialHeld(IsKeyHeld(keys, DIK_UP), nowMs, screen.up_repeat_at, name, screen.name_cursor,
           &StepUp);
  DialHeld(IsKeyHeld(keys, DIK_DOWN), nowMs, screen.down_repeat_at, name, screen.name_cursor,
           &StepDown);
  if (pressed(DIK_RIGHT)) {
    screen.name_cursor = screen.name_cursor < kLastNamePlace ? screen.name_cursor + 1 : 0;
  }
  if (pressed(DIK_LEFT)) {
    screen.name_cursor = screen.name_cursor > 0 ? screen.name_cursor - 1 : kLastNamePlace;
  }
  EraseName(pressed(DIK_BACK), pressed(DIK_DELETE), name, screen.name_cursor);
  if (!pressed(DIK_RETURN)) return;

  if (name != nullptr) CopyName(records.player_name, sizeof(records.player_name), name);
  if (places.time_rank == 0) {
    places.speed_rank = 0;
    sceneState = SCENE_RACE_ENTER;
  } else if (places.speed_rank == 0 || NamedLine(0, places.speed_rank) < 0 ||
             raceMode >= kCourseCount) {
    places.time_rank = 0;
    screen.name_cursor = 0;
    sceneState = SCENE_RACE_ENTER;
  } else {
    resultTable = kSpeedTable;
    places.time_rank = 0;
    screen.name_cursor = 0;
    RankingEntry& speedEntry =
        records.tables[raceMode][kSpeedTable][NamedLine(0, places.speed_rank)];
    CopyName(speedEntry.player_name, sizeof(speedEntry.player_name), records.player_name);
  }
  screen.last_typed_char = kFirstPrintable;
}
