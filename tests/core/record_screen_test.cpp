// The record screen's decisions: the viewer's lines and tables, typing and dialling a name,
// and naming a run that placed in both tables.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>

#include "app/scene_state.h"
#include "input/key_codes.h"
#include "screens/name_entry.h"
#include "screens/record_lines.h"
#include "screens/record_viewer.h"

namespace {

struct Keys {
  uint8_t now[256] = {};
  uint8_t before[256] = {};
  Keys& Press(int code) {
    now[code] = 0x80;
    return *this;
  }
  Keys& Hold(int code) {
    now[code] = before[code] = 0x80;
    return *this;
  }
};

TEST(RecordViewer, LinesTablesAndLeaving) {
  struct Case {
    const char* what;
    uint8_t row, mode;
    std::initializer_list<int> pressed;
    uint8_t row_after, mode_after;
    int32_t table_after, scene_after;
  } cases[] = {
      {"Right on the course line", 0, 0, {DIK_RIGHT}, 0, 1, 0, SCENE_RECORDS},
      {"Right again", 0, 1, {DIK_RIGHT}, 0, 0, 0, SCENE_RECORDS},
      {"Left on the course line", 0, 0, {DIK_LEFT}, 0, 1, 0, SCENE_RECORDS},
      {"Left and Right cancel", 0, 0, {DIK_LEFT, DIK_RIGHT}, 0, 0, 0, SCENE_RECORDS},
      {"Right on the table line", 1, 0, {DIK_RIGHT}, 1, 0, 1, SCENE_RECORDS},
      {"Up from the course line", 0, 0, {DIK_UP}, 1, 0, 0, SCENE_RECORDS},
      {"Up from the table line", 1, 0, {DIK_UP}, 0, 0, 0, SCENE_RECORDS},
      {"Down from the table line", 1, 0, {DIK_DOWN}, 0, 0, 0, SCENE_RECORDS},
      {"Space on 1000 m", 1, 1, {DIK_SPACE}, 0, 0, 0, SCENE_TITLE_ENTER},
  };
  for (const Case& c : cases) {
    Keys keys;
    for (int code : c.pressed) keys.Press(code);
    RecordScreenState screen;
    screen.records_row = c.row;
    uint8_t mode = c.mode;
    int32_t table = 0;
    int32_t scene = SCENE_RECORDS;
    StepRecordViewer(keys.now, keys.before, screen, mode, table, scene);
    EXPECT_EQ(screen.records_row, c.row_after) << c.what;
    EXPECT_EQ(mode, c.mode_after) << c.what;
    EXPECT_EQ(table, c.table_after) << c.what;
    EXPECT_EQ(scene, c.scene_after) << c.what;
  }
  Keys held;
  held.Hold(DIK_RIGHT);
  RecordScreenState screen;
  uint8_t mode = 0;
  int32_t table = 0;
  int32_t scene = SCENE_RECORDS;
  StepRecordViewer(held.now, held.before, screen, mode, table, scene);
  EXPECT_EQ(mode, 0) << "a held key acts once";
}

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
  EXPECT_EQ(screen.name_cursor, 7);

  RecordScreenState fresh;
  TypeNameCharacter(fresh, name, ' ');
  EXPECT_EQ(name[0], 'A') << "the Space still held from the race types nothing";
}

// Holding Up or Down: the character at the cursor after each frame at the given times.
std::string Dial(const char* start, int place, int key, std::initializer_list<uint32_t> times) {
  RecordData records = {};
  char name[10] = {};
  std::memcpy(name, start, std::strlen(start));
  RecordScreenState screen;
  screen.name_cursor = static_cast<uint8_t>(place);
  int32_t table = 0;
  uint8_t timeRank = 1;
  uint8_t speedRank = 0;
  int32_t scene = SCENE_RESULT;
  std::string seen;
  bool first = true;
  for (uint32_t t : times) {
    Keys keys;
    if (first) keys.Press(key); else keys.Hold(key);
    first = false;
    StepNameEntry(keys.now, keys.before, t, screen, records, name, 0, table,
                  RunPlaces{timeRank, speedRank}, scene);
    seen += name[place];
  }
  return seen;
}

TEST(NameEntry, HeldUpAndDownStepAtOnceThenEvery120Ms) {
  EXPECT_EQ(Dial("}", 0, DIK_UP, {0, 60, 119, 120, 240}), "~~~ !");
  EXPECT_EQ(Dial("!", 0, DIK_DOWN, {1000, 1120}), " ~");
  EXPECT_EQ(Dial("AB", 4, DIK_UP, {0}), "!") << "the 0 past the end counts as a space";
  EXPECT_EQ(Dial("AB", 4, DIK_DOWN, {0}), "~");

  RecordData records = {};
  char name[10] = "AB";
  RecordScreenState screen;
  screen.name_cursor = 4;
  int32_t table = 0;
  uint8_t timeRank = 1, speedRank = 0;
  int32_t scene = SCENE_RESULT;
  Keys up;
  up.Press(DIK_UP);
  StepNameEntry(up.now, up.before, 5, screen, records, name, 0, table,
                RunPlaces{timeRank, speedRank}, scene);
  EXPECT_STREQ(name, "AB  !") << "the gap before a dialled character becomes spaces";
}

TEST(NameEntry, CursorWrapsRoundTheEightPlaces) {
  struct Case {
    uint8_t from;
    int key;
    uint8_t to;
  } cases[] = {{7, DIK_RIGHT, 0}, {0, DIK_LEFT, 7}, {3, DIK_RIGHT, 4}, {3, DIK_LEFT, 2}};
  for (const Case& c : cases) {
    RecordData records = {};
    char name[10] = "ABCDEFGH";
    RecordScreenState screen;
    screen.name_cursor = c.from;
    int32_t table = 0;
    uint8_t timeRank = 1, speedRank = 0;
    int32_t scene = SCENE_RESULT;
    Keys keys;
    keys.Press(c.key);
    StepNameEntry(keys.now, keys.before, 0, screen, records, name, 0, table,
                  RunPlaces{timeRank, speedRank}, scene);
    EXPECT_EQ(screen.name_cursor, c.to) << int{c.from} << " key " << c.key;
  }
}

TEST(NameEntry, ARunInBothTablesIsNamedTwiceTimeTableFirst) {
  RecordData records = {};
  std::strcpy(records.tables[1][kTimeTable][0].player_name, "LONGNAMEX");
  std::strcpy(records.tables[1][kSpeedTable][2].player_name, "OLD");
  uint8_t timeRank = 1, speedRank = 3;
  int32_t table = kTimeTable;
  int32_t scene = SCENE_RESULT;
  RecordScreenState screen;
  screen.name_cursor = 5;
  screen.last_typed_char = 'Q';

  RankingEntry* first = EditedEntry(records, 1, timeRank, speedRank);
  ASSERT_EQ(first, &records.tables[1][kTimeTable][0]);
  EXPECT_STREQ(first->player_name, "LONGNAME") << "cut to eight characters";
  Keys enter;
  enter.Press(DIK_RETURN);
  StepNameEntry(enter.now, enter.before, 0, screen, records, first->player_name, 1, table,
                RunPlaces{timeRank, speedRank}, scene);
  EXPECT_STREQ(records.player_name, "LONGNAME");
  EXPECT_EQ(scene, SCENE_RESULT) << "the screen stays for the top-speed table";
  EXPECT_EQ(table, kSpeedTable);
  EXPECT_EQ(timeRank, 0);
  EXPECT_EQ(screen.name_cursor, 0);
  EXPECT_EQ(screen.last_typed_char, ' ');
  EXPECT_STREQ(records.tables[1][kSpeedTable][2].player_name, "LONGNAME");

  RankingEntry* second = EditedEntry(records, 1, timeRank, speedRank);
  ASSERT_EQ(second, &records.tables[1][kSpeedTable][2]);
  StepNameEntry(enter.now, enter.before, 0, screen, records, second->player_name, 1, table,
                RunPlaces{timeRank, speedRank}, scene);
  EXPECT_EQ(scene, SCENE_RACE_ENTER) << "a new race with the same car";
  EXPECT_EQ(speedRank, 0);

  uint8_t onlyTime = 2, noSpeed = 0;
  scene = SCENE_RESULT;
  StepNameEntry(enter.now, enter.before, 0, screen, records, nullptr, 0, table,
                RunPlaces{onlyTime, noSpeed}, scene);
  EXPECT_EQ(scene, SCENE_RACE_ENTER);
  EXPECT_EQ(onlyTime, 0);
  EXPECT_EQ(EditedEntry(records, 0, 0, 0), nullptr);
  EXPECT_EQ(EditedEntry(records, 0, 6, 0), nullptr) << "a place past the table names nothing";
}

TEST(RecordLines, ValuesAndMarksWhereTheLinesStand) {
  char text[kRecordValueTextSize];
  FormatRecordValue(kTimeTable, 9.5f, text);
  EXPECT_STREQ(text, " 9.500sec");
  FormatRecordValue(kSpeedTable, 168.0f, text);
  EXPECT_STREQ(text, "168.0km/h");

  const RecordLine third = RecordLineLayout(2, 10);
  EXPECT_EQ(third.place_label, (PixelRect{126, 252, 174, 284}));
  EXPECT_EQ(third.car_name_x + 10 * 8, 190 + 144) << "the car name centred on x + 144";
  EXPECT_EQ(third.car_name_y, 284);
  EXPECT_EQ(third.player_x, 410);
  EXPECT_EQ(CharacterCursorDest(2, 3).left, third.player_x + 3 * 16);
  EXPECT_EQ(NewMarkDest(4), (PixelRect{122, 392, 186, 424}));
  EXPECT_TRUE(ArrowsShown(1499));
  EXPECT_FALSE(ArrowsShown(1500));
}

}  // namespace
