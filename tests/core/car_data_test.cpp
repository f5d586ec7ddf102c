// The CARDATA reader, the car table helpers and the tachometer scales.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "data/car_data_format.h"
#include "data/car_table.h"
#include "delivered_car_table.h"

namespace {

std::vector<uint8_t> ResourceBytes(int32_t count, const std::vector<CarRecord>& cars) {
  std::vector<uint8_t> bytes(4 + cars.size() * sizeof(CarSpec));
  std::memcpy(bytes.data(), &count, 4);
  for (size_t i = 0; i < cars.size(); ++i) {
    std::memcpy(bytes.data() + 4 + i * sizeof(CarSpec), static_cast<const CarSpec*>(&cars[i]),
                sizeof(CarSpec));
  }
  return bytes;
}

CarRecord NamedCar(int32_t id, const char* name, int32_t selectable = 1) {
  CarRecord car{};
  car.id = id;
  std::strncpy(car.name, name, sizeof car.name - 1);
  car.selectable = selectable;
  car.idle_rpm = 800;
  return car;
}

}  // namespace

TEST(ParseCarData, RefusesWrongSizesNonFiniteNumbersAndIdleSpeedsOutsideTheCurve) {
  std::vector<CarRecord> cars;
  const std::vector<CarRecord> two{NamedCar(0, "a"), NamedCar(1, "b")};
  for (int32_t count : {1, 3, 0x7FFFFFFF}) {
    const std::vector<uint8_t> bytes = ResourceBytes(count, two);
    EXPECT_EQ(ParseCarData(bytes.data(), bytes.size(), cars), CarDataError::kSizeMismatch)
        << count;
  }
  std::vector<uint8_t> bytes = ResourceBytes(2, two);
  EXPECT_EQ(ParseCarData(bytes.data(), bytes.size() - 1, cars), CarDataError::kSizeMismatch);
  constexpr double inf = std::numeric_limits<double>::infinity();
  for (const auto& spoil : {+[](CarRecord& c) { c.wheelbase = static_cast<float>(inf); },
                            +[](CarRecord& c) { c.gear_gate[2][3] = -inf; },
                            +[](CarRecord& c) { c.gear_gate[0][0] = std::nan(""); },
                            +[](CarRecord& c) { c.torque_curve[39] = std::nan(""); }}) {
    CarRecord car = NamedCar(0, "x");
    spoil(car);
    bytes = ResourceBytes(1, {car});
    EXPECT_EQ(ParseCarData(bytes.data(), bytes.size(), cars), CarDataError::kNotFinite);
  }
  CarRecord car = NamedCar(0, "x");
  car.idle_rpm = 19501;  // the curve's last point is 19500
  bytes = ResourceBytes(1, {car});
  EXPECT_EQ(ParseCarData(bytes.data(), bytes.size(), cars), CarDataError::kIdleOutOfRange);
  EXPECT_TRUE(cars.empty());
}

TEST(ParseCarData, EndsEveryNameWithin27BytesAndClearsTheRestOfTheField) {
  CarRecord car{};
  std::memset(car.name, 'N', sizeof car.name);  // no NUL anywhere in the field
  const std::vector<uint8_t> bytes = ResourceBytes(1, {car});
  std::vector<CarRecord> cars;
  ASSERT_EQ(ParseCarData(bytes.data(), bytes.size(), cars), CarDataError::kNone);
  EXPECT_EQ(std::strlen(cars[0].name), 27u);
  for (size_t i = 27; i < sizeof car.name; ++i) EXPECT_EQ(cars[0].name[i], '\0') << i;
}

TEST(TerminateCarName, NeverSplitsADoubleByteCharacter) {
  // A name, and how many of its bytes are kept.
  const std::pair<std::string, size_t> cases[] = {
      // 26 single bytes, then a Shift-JIS pair that would end at byte 28.
      {std::string(26, 'a') + "\x83\x4E", 26},
      {"ab\x83", 2},  // a lead byte with nothing after it is dropped too
      // Half-width katakana are single bytes and count as one each.
      {std::string(27, '\xB1') + "x", 27},
      {"ARATA \x83\x4E", 8},  // a name that fits keeps every byte
      {std::string(28, '\x81'), 26},  // pairs whose second byte could also lead a pair
      // The ends of the lead-byte ranges 0x81..0x9F and 0xE0..0xFC, and bytes just outside.
      {std::string(26, 'a') + "\x9F\x40", 26}, {std::string(26, 'a') + "\xE0\x40", 26},
      {std::string(26, 'a') + "\xFC\x40", 26}, {std::string(26, 'a') + "\xA0\x40", 27},
      {std::string(26, 'a') + "\xFD\x40", 27},
  };
  for (const auto& [text, kept] : cases) {
    char name[128] = {};
    std::memcpy(name, text.data(), text.size());
    TerminateCarName(name);
    EXPECT_EQ(std::strlen(name), kept) << text;
    EXPECT_EQ(std::string(name), text.substr(0, kept));
  }
}

TEST(TachoScale, TheLowByteOfTheTypePicksTheRow) {
  FillTachoScale();
  CarSpec car{};
  // A tacho_type, and the scale row it picks.
  const std::pair<int32_t, int> cases[] = {{0, 0}, {1, 1},   {2, 2},  {0x101, 1}, {0x7FFFFF02, 2},
                                           {3, 2}, {255, 2}, {-1, 2}, {-256, 0}};
  for (const auto& [type, row] : cases) {
    car.tacho_type = type;
    EXPECT_EQ(&TachoScaleFor(car), &TachoScale[row]) << type;
  }
}

TEST(CarTable, FindsTheFirstRecordWithAnId) {
  InstallCarTable({NamedCar(5, "a"), NamedCar(0, "first"), NamedCar(0, "second")});
  ASSERT_NE(FindCarById(0), nullptr);
  EXPECT_STREQ(FindCarById(0)->name, "first");
  EXPECT_EQ(FindCarById(1), nullptr);
  ClearCarTable();
  EXPECT_EQ(FindCarById(5), nullptr);
}

TEST(DeliveredCarData, IsSixteenRecordsIn9796Bytes) {
  const std::vector<uint8_t> bytes = ReadDeliveredCarDataBytes();
  EXPECT_EQ(bytes.size(), 9796u);
  const std::vector<CarRecord> cars = ReadDeliveredCarTable();
  ASSERT_EQ(cars.size(), 16u);

  const int32_t ids[16] = {0, 1, 2, 3, 4, 15, 14, 5, 6, 7, 8, 9, 10, 11, 12, 13};
  for (size_t i = 0; i < cars.size(); ++i) {
    const CarRecord& car = cars[i];
    EXPECT_EQ(car.id, ids[i]) << i;
    EXPECT_EQ(car.selectable, i >= 3 ? 1 : 0) << i;
    for (int row = 0; row < 3; ++row) EXPECT_EQ(car.gear_gate[row][3], 0.0) << i;
    for (double ratio : car.gear_gate[1]) EXPECT_EQ(ratio, 0.0) << i;
    EXPECT_EQ(car.torque_curve[0], 0.0) << i;
    EXPECT_EQ(car.torque_curve[39], 0.0) << i;
  }
  // The physical fields, the curves and the upper gears are pinned by the worked step of
  // record 4, the printed peaks and the default records; the lower-right cell decides the
  // lever and the gate art.
  EXPECT_EQ(cars[3].gear_gate[2][2], 0.0);  // five speeds and an empty slot
  uint64_t blocked = 0;
  std::memcpy(&blocked, &cars[15].gear_gate[2][2], 8);
  EXPECT_EQ(blocked, 0xBFF0000000000000ull);  // five speeds, slot blocked
}
