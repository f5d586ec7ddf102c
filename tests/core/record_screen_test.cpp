// The record screen's decisions: the viewer's lines and tables, typing and dialling a name,
// and naming a run that placed in both tables.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <tuple>
#include <utility>

#include "app/scene_state.h"
#include "input/key_codes.h"
#include "screens/name_entry.h"
#include "screens/record_lines.h"

namespace {

struct Keys {
  uint8_t now[256] = {};
  uint8_t before[256] = {};
  Keys(std::initializer_list<int> pressed, std::initializer_list<int> held = {}) {
    for (int code : pressed) now[code] = 0x80;
    for (int code : held) now[code] = before[code] = 0x80;
  }
};

TEST(RecordViewer, LinesTablesAndLeaving) {
  const struct {
    uint8_t row, mode;
    std::initializer_list<int> pressed;
    uint8_t row_after, mode_after;
    int32_t table_after, scene_after;
  } cases[] = {
      {0, 0, {DIK_RIGHT}, 0, 1, 0, SCENE_RECORDS},  {0, 1, {DIK_RIGHT}, 0, 0, 0, SCENE_RECORDS},
      {0, 0, {DIK_LEFT}, 0, 1, 0, SCENE_RECORDS},   {1, 0, {DIK_RIGHT}, 1, 0, 1, SCENE_RECORDS},
      {0, 0, {DIK_LEFT, DIK_RIGHT}, 0, 0, 0, SCENE_RECORDS},
      {0, 0, {DIK_UP}, 1, 0, 0, SCENE_RECORDS},     {1, 0, {DIK_UP}, 0, 0, 0, SCENE_RECORDS},
      {1, 0, {DIK_DOWN}, 0, 0, 0, SCENE_RECORDS},   {1, 1, {DIK_SPACE}, 0, 0, 0, SCENE_TITLE_ENTER},
      {0, 0, {}, 0, 0, 0, SCENE_RECORDS},  // Right held from before acts no more
  };
  int n = 0;
  for (const auto& c : cases) {
    Keys keys(c.pressed);
    if (c.pressed.size() == 0) keys.now[DIK_RIGHT] = keys.before[DIK_RIGHT] = 0x80;
    RecordScreenState screen;
    screen.records_row = c.row;
    uint8_t mode = c.mode;
    int32_t table = 0;
    int32_t scene = SCENE_RECORDS;
    StepRecordViewer(keys.now, keys.before, screen, mode, table, scene);
    EXPECT_EQ(std::tuple(screen.records_row, mode, table, scene),
              std::tuple(c.row_after, c.mode_after, c.table_after, c.scene_after))
        << "case " << n++;
  }
}

// A run placed in the time table of course 1 and third in its top-speed table.
struct Naming {
  RecordData records = {};
  RecordScreenState screen;
  int32_t table = kTimeTable;
  uint8_t time_rank = 1, speed_rank = 3;
  int32_t scene = SCENE_RESULT;
  uint8_t mode = 1;
  char* Name() {
    RankingEntry* entry = EditedEntry(records, 1, time_rank, speed_rank);
    return entry != nullptr ? entry->player_name : nullptr;
  }
  void Frame(uint32_t ms, std::initializer_list<int> pressed, std::initializer_list<int> held = {}) {
    Keys keys(pressed, held);
    StepNameEntry(keys.now, keys.before, ms, screen, records, Name(), mode, table,
                  RunPlaces{time_rank, speed_rank}, scene);
  }
};

TEST(NameEntry, TypedCharactersGoInOnceEach) {
  char name[10] = "AAAAAAAA";
  RecordScreenState screen;
  for (int typed : std::initializer_list<int>{'A', 'A', 'B', 'B', 0}) TypeNameCharacter(screen, name, typed);
  EXPECT_STREQ(name, "ABAAAAAA") << "the held A types once, over the first A";
  EXPECT_EQ(screen.name_cursor, 2);
  for (int typed : std::initializer_list<int>{'C', 'D', 'E', 'F', 'G', 'H', 'I', 0, 'I', '\r', 0x85}) {
    TypeNameCharacter(screen, name, typed);
  }
  EXPECT_STREQ(name, "ABCDEFGI") << "the eighth and later characters stay on the last place";
  EnterNameEntry(screen);  // the next race's, though an Esc left 0x85 as the last read
  TypeNameCharacter(screen, name, ' ');
  EXPECT_EQ(name[0], 'A') << "the Space still held from the next race types nothing";
  EXPECT_EQ(screen.name_cursor, 0);
  TypeNameCharacter(screen, name, 0);
  TypeNameCharacter(screen, name, ' ');
  EXPECT_EQ(name[0], ' ') << "pressed again, Space types a space";
}

TEST(NameEntry, HeldUpAndDownStepAtOnceThenEvery120Ms) {
  const struct {
    const char* name;
    int place, key;
    std::initializer_list<uint32_t> times;
    const char* seen;
  } cases[] = {
      {"}", 0, DIK_UP, {0, 60, 120, 121, 241, 242}, "~~~  !"},
      {"!", 0, DIK_DOWN, {1000, 1121}, " ~"},
      {"}", 0, DIK_UP, {0xFFFFFFF0u, 0x68, 0x69}, "~~ "},  // the timer runs round
      {"AB", 4, DIK_UP, {0}, "!"},  // the 0 past the end counts as a space
  };
  for (const auto& c : cases) {
    Naming naming;
    std::strcpy(naming.Name(), c.name);
    naming.screen.name_cursor = static_cast<uint8_t>(c.place);
    std::string seen;
    for (uint32_t t : c.times) {
      if (seen.empty()) naming.Frame(t, {c.key}); else naming.Frame(t, {}, {c.key});
      seen += naming.Name()[c.place];
    }
    EXPECT_EQ(seen, c.seen) << c.name;
  }
}

TEST(NameEntry, BackspaceBlanksThePlaceLeftAndDeleteBlanksToTheEnd) {
  const struct { const char* name; uint8_t cursor; int key; const char* after; uint8_t cursor_after; }
      cases[] = {{"BobAAAAA", 3, DIK_BACK, "Bo AAAAA", 2}, {"BobAAAAA", 0, DIK_BACK, " obAAAAA", 0},
                 {"BobAAAAA", 1, DIK_BACK, " obAAAAA", 0},
                 {"BobAAAAA", 3, DIK_DELETE, "Bob     ", 3}, {"AB", 4, DIK_DELETE, "AB      ", 4}};
  for (const auto& c : cases) {
    Naming naming;
    std::strcpy(naming.Name(), c.name);
    naming.screen.name_cursor = c.cursor;
    naming.Frame(0, {c.key});
    EXPECT_STREQ(naming.Name(), c.after) << c.name << " at " << int(c.cursor);
    EXPECT_EQ(naming.screen.name_cursor, c.cursor_after) << c.name;
  }
}

TEST(NameEntry, CursorWrapsAndBothTablesAreNamedTimeTableFirst) {
  Naming naming;
  std::strcpy(naming.Name(), "LONGNAMEX");
  EXPECT_STREQ(naming.Name(), "LONGNAME") << "cut to eight characters";
  // Round to the last place and back, then one place right and one left.
  for (const auto& [key, cursor] :
       {std::pair{DIK_LEFT, 7}, {DIK_RIGHT, 0}, {DIK_RIGHT, 1}, {DIK_LEFT, 0}}) {
    naming.Frame(0, {key});
    EXPECT_EQ(naming.screen.name_cursor, cursor) << key;
  }

  naming.screen.name_cursor = 5;
  naming.screen.last_typed_char = 'Q';
  naming.Frame(0, {DIK_RETURN});
  EXPECT_STREQ(naming.records.player_name, "LONGNAME");
  EXPECT_EQ(naming.scene, SCENE_RESULT) << "the screen stays for the top-speed table";
  EXPECT_EQ(naming.table, kSpeedTable);
  EXPECT_EQ(naming.screen.name_cursor, 0);
  EXPECT_EQ(naming.screen.last_typed_char, ' ');
  EXPECT_EQ(naming.Name(), naming.records.tables[1][kSpeedTable][2].player_name);
  EXPECT_STREQ(naming.Name(), "LONGNAME");
  naming.Frame(0, {DIK_RETURN});
  EXPECT_EQ(naming.scene, SCENE_RACE_ENTER) << "a new race with the same car";
  EXPECT_EQ(naming.speed_rank, 0);
  EXPECT_EQ(naming.Name(), nullptr);

  Naming onlyTime;
  onlyTime.speed_rank = 0;
  onlyTime.Frame(0, {DIK_RETURN});
  EXPECT_EQ(onlyTime.scene, SCENE_RACE_ENTER);
  EXPECT_EQ(onlyTime.time_rank, 0);
  EXPECT_EQ(EditedEntry(onlyTime.records, 0, 6, 0), nullptr) << "no place past the table";
  EXPECT_EQ(EditedEntry(onlyTime.records, 0, 5, 0), &onlyTime.records.tables[0][kTimeTable][4]);
  EXPECT_EQ(EditedEntry(onlyTime.records, kCourseCount, 1, 0), nullptr) << "no such course";
  Naming strayCourse;
  strayCourse.mode = kCourseCount;
  strayCourse.Frame(0, {DIK_RETURN});
  EXPECT_EQ(strayCourse.scene, SCENE_RACE_ENTER) << "no speed table of an unknown course";
  Naming strayPlace;
  strayPlace.speed_rank = kRankingEntries + 1;
  strayPlace.Frame(0, {DIK_RETURN});
  EXPECT_EQ(strayPlace.scene, SCENE_RACE_ENTER) << "nor of a place past the table";
}

TEST(RecordLines, ValueTexts) {
  char text[kRecordValueTextSize];
  FormatRecordValue(kTimeTable, 9.5f, text);
  EXPECT_STREQ(text, " 9.500sec");
  FormatRecordValue(kSpeedTable, 168.0f, text);
  EXPECT_STREQ(text, "168.0km/h");
}

}  // namespace
