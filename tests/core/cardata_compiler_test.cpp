// The car table compiler: every field to its place, katakana names, and a table the game reads back.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "data/car_data_format.h"
#include "tools/cardata/cardata_source.h"

namespace {

const char kCarBlock[] = R"(car
  id              0
  name            "TEST CAR"
  mass            1200
  frontal_area    1.9
  downforce_coef  0.4
  drag_coef       0.32
  rolling_coef    0.015
  tyre_radius     0.31
  final_drive     4.1
  engine_drag     3.0
  grip            1
  cg_height       0.42
  wheelbase       2.5
  rear_weight     0.48
  drive_layout    1
  gate_upper      3.2 1.3 0.8
  gate_lower      1.9 1.0 -1
  torque          0 10 20 30 25 10 0
  idle_rpm        800
  tacho_type      0
  selectable      1
end
)";

std::string OneCar(const std::string& replace = "", const std::string& with = "") {
  std::string block = kCarBlock;
  if (!replace.empty()) {
    const size_t at = block.find(replace);
    EXPECT_NE(at, std::string::npos) << replace;
    if (at != std::string::npos) block.replace(at, replace.size(), with);
  }
  return "cars 1\n" + block;
}

}  // namespace

TEST(CarSource, CompilesEveryFieldToItsPlace) {
  std::vector<CarSpec> cars;
  std::vector<std::string> errors;
  ASSERT_TRUE(ParseCarSource(OneCar(), "t.txt", cars, errors)) << errors.front();
  ASSERT_EQ(cars.size(), 1u);
  const CarSpec& car = cars[0];
  EXPECT_STREQ(car.name, "TEST CAR");
  EXPECT_EQ(car.mass, 1200.0f);
  EXPECT_EQ(car.frontal_area, 1.9f);
  EXPECT_EQ(car.tyre_radius, 0.31f);
  EXPECT_EQ(car.rear_weight, 0.48f);
  EXPECT_EQ(car.drive_layout, 1);
  EXPECT_EQ(car.gear_gate[0][0], 3.2);
  EXPECT_EQ(car.gear_gate[2][0], 1.9);
  EXPECT_EQ(car.gear_gate[0][2], 0.8);
  EXPECT_EQ(car.gear_gate[2][2], -1.0);
  for (int column = 0; column < 4; ++column) EXPECT_EQ(car.gear_gate[1][column], 0.0);
  EXPECT_EQ(car.torque_curve[3], 30.0);
  EXPECT_EQ(car.torque_curve[6], 0.0);
  EXPECT_EQ(car.torque_curve[39], 0.0);
  EXPECT_EQ(car.idle_rpm, 800);
  EXPECT_EQ(car.selectable, 1);
  for (size_t i = std::strlen(car.name); i < sizeof car.name; ++i) EXPECT_EQ(car.name[i], 0);
}

TEST(ConvertCarName, HalfWidthKatakanaBecomeSingleBytes) {
  std::string bytes, reason;
  // U+FF61 (｡) → 0xA1, U+FF65 (･) → 0xA5, U+FF9F (ﾟ) → 0xDF.
  ASSERT_TRUE(ConvertCarName("A\xEF\xBD\xA1\xEF\xBD\xA5\xEF\xBE\x9F", bytes, reason)) << reason;
  EXPECT_EQ(bytes, "A\xA1\xA5\xDF");
  // 27 katakana are 81 bytes of UTF-8 but 27 bytes in the game: they fit.
  std::string long_katakana;
  for (int i = 0; i < 27; ++i) long_katakana += "\xEF\xBD\xB1";
  EXPECT_TRUE(ConvertCarName(long_katakana, bytes, reason)) << reason;
  EXPECT_EQ(bytes.size(), 27u);
  // Just outside the range on either side.
  EXPECT_FALSE(ConvertCarName("\xEF\xBD\xA0", bytes, reason));  // U+FF60
  EXPECT_FALSE(ConvertCarName("\xEF\xBE\xA0", bytes, reason));  // U+FFA0
  // An overlong encoding of 'A' is malformed, not 'A'.
  EXPECT_FALSE(ConvertCarName("\xC1\x81", bytes, reason));
  // A sequence cut short.
  EXPECT_FALSE(ConvertCarName("\xEF\xBD", bytes, reason));
}

TEST(CarSource, SerializedTableParsesBackInTheGame) {
  std::vector<CarSpec> cars;
  std::vector<std::string> errors;
  ASSERT_TRUE(ParseCarSource(OneCar(), "t", cars, errors));
  const std::vector<uint8_t> bytes = SerializeCarData(cars);
  ASSERT_EQ(bytes.size(), 4u + 612u);
  std::vector<CarSpec> loaded;
  ASSERT_EQ(ParseCarData(bytes.data(), bytes.size(), loaded), CarDataError::kNone);
  EXPECT_EQ(std::memcmp(&loaded[0], &cars[0], sizeof(CarSpec)), 0);
}
