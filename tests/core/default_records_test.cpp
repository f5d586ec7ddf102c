// The records of a new player, the random sequence they draw from, and the choice between
// the file's records and the defaults.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "data/car_table.h"
#include "data/record_data.h"
#include "data/save_file.h"
#include "delivered_car_table.h"

namespace {

CarRecord Car(const char* name, int32_t selectable) {
  CarRecord car{};
  std::strncpy(car.name, name, sizeof car.name - 1);
  car.selectable = selectable;
  return car;
}

}  // namespace

TEST(DefaultRecords, ValuesNamesAndFlags) {
  RecordData records;
  std::memset(&records, 0x77, sizeof records);
  const std::vector<CarRecord> cars = {Car("only", 1)};
  uint32_t state = 1;
  BuildDefaultRecords(records, cars, state);

  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(records.tables[0][kTimeTable][i].value, static_cast<float>(13.0 + 0.5 * i));
    EXPECT_EQ(records.tables[0][kSpeedTable][i].value, static_cast<float>(170 - 2 * i));
    EXPECT_EQ(records.tables[1][kTimeTable][i].value, static_cast<float>(24.0 + 0.8 * i));
    EXPECT_EQ(records.tables[1][kSpeedTable][i].value, static_cast<float>(210 - 3 * i));
    const std::string letters(8, static_cast<char>('A' + i));
    for (auto& course : records.tables) {
      for (auto& table : course) {
        const RankingEntry& entry = table[i];
        EXPECT_EQ(std::string(entry.player_name), letters);
        EXPECT_EQ(entry.player_name[9], '\0');
        EXPECT_STREQ(entry.car_name, "only");
        EXPECT_EQ(entry.fps_at_signal | entry.fps_at_finish | entry.new_entry, 0);
        EXPECT_EQ(entry.reserved[0] | entry.reserved[1], 0);
        // The rest of the car name field is cleared too.
        for (size_t k = 4; k < sizeof entry.car_name; ++k) EXPECT_EQ(entry.car_name[k], 0);
      }
    }
  }
  EXPECT_EQ(std::string(records.player_name), "AAAAAAAA");
  EXPECT_EQ(records.player_name[11], '\0');
  EXPECT_EQ(records.progress_flags, 0u);
}

TEST(DefaultRecords, DeliveredTableGivesTheKnownCarsInOrder) {
  const std::vector<CarRecord> cars = ReadDeliveredCarTable();
  ASSERT_EQ(cars.size(), 16u);
  RecordData records;
  uint32_t state = 1;
  BuildDefaultRecords(records, cars, state);

  const int expected[2][2][5] = {{{9, 14, 12, 14, 11}, {3, 4, 6, 9, 9}},
                                 {{11, 6, 12, 12, 9}, {3, 11, 7, 14, 4}}};
  for (int course = 0; course < 2; ++course) {
    for (int kind = 0; kind < 2; ++kind) {
      for (int i = 0; i < 5; ++i) {
        EXPECT_STREQ(records.tables[course][kind][i].car_name,
                     cars[expected[course][kind][i]].name)
            << course << "/" << kind << "/" << i;
      }
    }
  }
}

TEST(DefaultRecords, NoSelectableCarLeavesTheCarNamesEmptyAndEnds) {
  const std::vector<CarRecord> hidden = {Car("a", 0), Car("b", 0)};
  for (const std::vector<CarRecord>& table : {std::vector<CarRecord>{}, hidden}) {
    RecordData records;
    uint32_t state = 1;
    BuildDefaultRecords(records, table, state);
    for (auto& course : records.tables) {
      for (auto& kind : course) {
        for (const RankingEntry& entry : kind) EXPECT_STREQ(entry.car_name, "");
      }
    }
    EXPECT_EQ(records.tables[1][1][4].value, 198.0f);  // the rest is built as usual
    EXPECT_EQ(state, 1u) << "nothing drawn without a car to draw";
  }
}
