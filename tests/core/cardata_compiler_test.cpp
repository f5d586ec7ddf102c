// The car table compiler: what it accepts, what it refuses, and the resource it writes.
#include <gtest/gtest.h>

#include <sys/wait.h>

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

// The first error, or "" when the text compiles.
std::string FirstError(const std::string& text) {
  std::vector<CarSpec> cars;
  std::vector<std::string> errors;
  const bool ok = ParseCarSource(text, "t.txt", cars, errors);
  EXPECT_EQ(ok, errors.empty());
  return errors.empty() ? "" : errors.front();
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
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

TEST(CarSource, RefusesNamesThatDoNotFitOrCannotBeDrawn) {
  EXPECT_EQ(FirstError(OneCar("TEST CAR", std::string(27, 'n'))), "");
  EXPECT_NE(FirstError(OneCar("TEST CAR", std::string(28, 'n'))).find("28 bytes"),
            std::string::npos);
  EXPECT_NE(FirstError(OneCar("TEST CAR", "\xE8\xBB\x8A")).find("U+8ECA"), std::string::npos);
  EXPECT_NE(FirstError(OneCar("TEST CAR", "caf\xC3\xA9")).find("U+00E9"), std::string::npos);
  EXPECT_NE(FirstError(OneCar("TEST CAR", "bad\xFF")).find("UTF-8"), std::string::npos);
  EXPECT_NE(FirstError(OneCar("TEST CAR", "tab\there")), "");
  EXPECT_NE(FirstError(OneCar("\"TEST CAR\"", "TEST")), "");
  EXPECT_NE(FirstError(OneCar("\"TEST CAR\"", "\"\"")), "");
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

TEST(CarSource, RefusesMissingUnknownAndRepeatedFields) {
  EXPECT_NE(FirstError(OneCar("  wheelbase       2.5\n", "")).find("missing 'wheelbase'"),
            std::string::npos);
  EXPECT_NE(FirstError(OneCar("  torque", "  torqe")).find("unknown field 'torqe'"),
            std::string::npos);
  EXPECT_NE(FirstError(OneCar("  mass            1200\n", "  mass 1200\n  mass 1300\n"))
                .find("given twice"),
            std::string::npos);
  EXPECT_NE(FirstError(OneCar("end\n", "")).find("not closed"), std::string::npos);
  EXPECT_NE(FirstError(std::string(kCarBlock)).find("cars <count>"), std::string::npos);
}

TEST(CarSource, RefusesACountThatDisagreesWithTheBlocks) {
  std::string two = "cars 2\n" + std::string(kCarBlock);
  EXPECT_NE(FirstError(two).find("'cars 2' but 1 car blocks"), std::string::npos);
  std::string zero_of_one = "cars 0\n" + std::string(kCarBlock);
  EXPECT_NE(FirstError(zero_of_one), "");
  EXPECT_NE(FirstError("cars -1\n"), "");
  EXPECT_NE(FirstError("cars 1\ncars 1\n"), "");
  EXPECT_EQ(FirstError("cars 0\n"), "");
}

TEST(CarSource, RefusesDuplicateAndOutOfRangeIds) {
  std::string second = kCarBlock;
  std::string twice = "cars 2\n" + std::string(kCarBlock) + second;
  EXPECT_NE(FirstError(twice).find("id 0 is used twice"), std::string::npos);
  EXPECT_NE(FirstError(OneCar("id              0", "id 1")).find("not below"),
            std::string::npos);
}

TEST(CarSource, RefusesValuesOutsideTheirRange) {
  const struct {
    const char* replace;
    const char* with;
  } cases[] = {
      {"mass            1200", "mass 1200kg"},
      {"mass            1200", "mass -5"},
      {"mass            1200", "mass nan"},
      {"mass            1200", "mass inf"},
      {"mass            1200", "mass 1200 1300"},
      {"rear_weight     0.48", "rear_weight 1.5"},
      {"drive_layout    1", "drive_layout 4"},
      {"drive_layout    1", "drive_layout 1.0"},
      {"tacho_type      0", "tacho_type 3"},
      {"selectable      1", "selectable 2"},
      {"idle_rpm        800", "idle_rpm 10000"},
      {"idle_rpm        800", "idle_rpm 99999999999999999999"},
      {"gate_lower      1.9 1.0 -1", "gate_lower 1.9 1.0 -0.5"},
      {"gate_lower      1.9 1.0 -1", "gate_lower 1.9 1.0"},
      {"torque          0 10 20 30 25 10 0", "torque 5 10 20 30 25 10 0"},
      {"torque          0 10 20 30 25 10 0", "torque 0 10 20 30 25 30 0"},
      {"torque          0 10 20 30 25 10 0", "torque 0 10 -20 30 25 10 0"},
      {"torque          0 10 20 30 25 10 0", "torque 0"},
  };
  for (const auto& c : cases) EXPECT_NE(FirstError(OneCar(c.replace, c.with)), "") << c.with;

  // A curve that never comes back to 0 within the 40 points.
  std::string full = "torque 0";
  for (int i = 1; i < 40; ++i) full += " 1";
  EXPECT_NE(FirstError(OneCar("torque          0 10 20 30 25 10 0", full)).find("19500"),
            std::string::npos);
  // A flat top is still one peak.
  EXPECT_EQ(FirstError(OneCar("torque          0 10 20 30 25 10 0", "torque 0 10 30 30 30 5")),
            "");
}

TEST(CarSource, ErrorsNameTheLine) {
  const std::string error = FirstError(OneCar("drive_layout    1", "drive_layout 9"));
  EXPECT_EQ(error.rfind("t.txt:17: ", 0), 0u) << error;
}

TEST(CarSource, CommentsAndBlankLinesAreIgnored) {
  std::string text = "# heading\n\ncars 1   # one\n" + std::string(kCarBlock);
  text.insert(text.find("  mass"), "  # a comment line inside the block\n");
  EXPECT_EQ(FirstError(text), "");
  // '#' inside the quoted name is part of the name.
  std::vector<CarSpec> cars;
  std::vector<std::string> errors;
  ASSERT_TRUE(ParseCarSource(OneCar("TEST CAR", "NO #1"), "t", cars, errors));
  EXPECT_STREQ(cars[0].name, "NO #1");
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

TEST(CardataCompilerTool, WritesTheResourceOrFailsWithoutOutput) {
  const std::string tool = std::string(VORTA_BINARY_DIR) + "/tools/cardata/cardata_compiler";
  const std::string dir = std::string(VORTA_BINARY_DIR) + "/cardata_compiler_test";
  ASSERT_EQ(std::system(("mkdir -p '" + dir + "'").c_str()), 0);
  // The tool's exit status, or -1 when it did not exit normally.
  const auto run = [&](const std::string& arguments) {
    const int status = std::system(("'" + tool + "' " + arguments).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };

  std::ofstream(dir + "/good.txt") << OneCar();
  std::remove((dir + "/good.bin").c_str());
  EXPECT_EQ(run("'" + dir + "/good.txt' '" + dir + "/good.bin'"), 0);
  EXPECT_EQ(Slurp(dir + "/good.bin").size(), 616u);

  std::ofstream(dir + "/bad.txt") << OneCar("TEST CAR", std::string(30, 'x'));
  const std::string bad_bin = dir + "/bad.bin";
  std::remove(bad_bin.c_str());
  EXPECT_GT(run("'" + dir + "/bad.txt' '" + bad_bin + "' 2> '" + dir + "/bad.err'"), 0);
  EXPECT_EQ(std::fopen(bad_bin.c_str(), "rb"), nullptr);
  const std::string messages = Slurp(dir + "/bad.err");
  EXPECT_NE(messages.find("bad.txt:4: name is 30 bytes"), std::string::npos) << messages;

  EXPECT_GT(run("only-one-argument 2> /dev/null"), 0);
}
