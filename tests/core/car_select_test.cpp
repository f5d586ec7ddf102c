// The car select screen: stepping through the selectable cars, unlocks, the printed lines,
// the graph's scales and its progress across frames.
#include "screens/car_select.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "app/scene_state.h"
#include "data/car_table.h"
#include "data/record_data.h"
#include "delivered_car_table.h"
#include "input/key_codes.h"
#include "screens/car_select_graph.h"
#include "test_cars.h"

namespace {

// One record per character: '1' selectable, '0' hidden; ids are the positions.
void InstallCars(const char* selectable) {
  std::vector<CarRecord> cars(std::strlen(selectable));
  for (size_t i = 0; i < cars.size(); ++i) {
    cars[i].id = static_cast<int32_t>(i);
    cars[i].selectable = selectable[i] == '1' ? 1 : 0;
  }
  InstallCarTable(std::move(cars));
}

TEST(CarSelectTest, StepsOverHiddenCarsAndWraps) {
  const struct { const char* cars; int start, key; bool has_car; int expected; } cases[] = {
      {"0001111", 0, 0, true, 3},          // the first frame moves off the hidden cars
      {"0001111", 3, DIK_LEFT, true, 6},   // first to last
      {"0001111", 6, DIK_RIGHT, true, 3},  // last to first
      {"1011010", 3, DIK_RIGHT, true, 5},  // over the hidden 4
      {"1011010", 5, DIK_RIGHT, true, 0},  // over the hidden 6, round to 0
      {"1011010", 1, DIK_LEFT, true, 0},   // settles forward on 2 first, then steps back
      {"0100", 1, DIK_LEFT, true, 1},      // one car: Left comes back to it
      {"0000", 2, DIK_RIGHT, false, 2},    // no car at all: nothing moves, nothing hangs
      {"", 0, DIK_LEFT, false, 0},         // an empty table
  };
  for (const auto& c : cases) {
    InstallCars(c.cars);
    CarSelectState state;
    state.selected_car = c.start;
    state.graph_rpm_limit = 4000;
    uint8_t keys[256] = {}, previous[256] = {};
    keys[c.key] = c.key != 0 ? 0x80 : 0;  // key 0: none
    EXPECT_EQ(SettleSelectedCar(state), c.has_car) << c.cars;
    EXPECT_EQ(HandleCarSelectKeys(state, keys, previous, SCENE_CAR_SELECT), SCENE_CAR_SELECT)
        << c.cars;
    EXPECT_EQ(state.selected_car, c.expected) << c.cars << " from " << int(c.start);
    EXPECT_EQ(state.graph_rpm_limit, c.key != 0 && c.has_car ? 1000 : 4000) << "graph restarts";
  }
  ClearCarTable();
}

TEST(CarSelectTest, ProgressUnlocksTheCarsWithIdsZeroAndOne) {
  // The progress flags, and which of ids 0, 1, 2, 3 (in table order) are selectable then.
  const std::tuple<uint32_t, std::string> cases[] = {
      {0, "0001"}, {kUnlockCar0, "1001"}, {kUnlockCar1, "0101"}, {0xFFFFFFFF, "1101"}};
  for (const auto& [flags, expected] : cases) {
    InstallCars("0001");
    UnlockProgressCars(flags);
    std::string selectable;
    for (int i = 0; i < 4; ++i) selectable += IsSelectableCar(i) ? '1' : '0';
    EXPECT_EQ(selectable, expected) << flags;
  }
  ClearCarTable();
}

TEST(CarSelectTest, LinesOfDeliveredRecordFour) {
  const std::vector<CarRecord> cars = ReadDeliveredCarTable();
  ASSERT_EQ(cars.size(), 16u);
  const char* texts[] = {" 330.7ps/5600rpm", " 54.5kg-m/3500rpm", "1510kg", "FR"};
  const int32_t x[] = {32, 24, 112, 144};
  CarSelectLine lines[kCarSelectLines];
  FormatCarSelectLines(cars[4], ScanCarPeaks(cars[4]), lines);
  for (int i = 0; i < kCarSelectLines; ++i) {
    EXPECT_STREQ(lines[i].text, texts[i]);
    EXPECT_EQ(lines[i].x, x[i]) << texts[i];
    EXPECT_EQ(lines[i].y, 180 + 64 * i);
  }
  // The scan starts at 2000 rpm itself: a curve that peaks there and falls away at once.
  CarSpec peakAt2000 = MakeRecord4();
  for (double& t : peakAt2000.torque_curve) t = 0.0;
  peakAt2000.torque_curve[4] = 50.04;
  peakAt2000.drive_layout = 0;
  FormatCarSelectLines(peakAt2000, ScanCarPeaks(peakAt2000), lines);
  EXPECT_STREQ(lines[1].text, " 50.0kg-m/2000rpm");
  EXPECT_STREQ(lines[3].text, "FF");
}

TEST(CarSelectTest, NamesAreCentredOrCutAtTheRightEdge) {
  for (const auto& [length, x, chars] : {std::tuple{10, 240, 10}, {40, 0, 40}, {127, 0, 40}}) {
    char name[128] = {};
    std::memset(name, 'A', static_cast<size_t>(length));
    EXPECT_EQ(PlaceCarName(name).x, x) << length;
    EXPECT_EQ(PlaceCarName(name).max_chars, chars) << length;
  }
}

TEST(CarSelectTest, GraphScales) {
  // The delivered cars' scales are in the golden pictures; these are the half steps and the
  // single-precision factor.
  const struct {
    float power, torque, power_steps;
    int32_t power_height;
    float torque_steps;
    int32_t torque_height;
  } cases[] = {
      {280.0f, 26.0f, 3.5f, 75, 5.5f, 48},
      {300.0f, 30.0f, 3.0f, 88, 6.0f, 44},  // 300 × 0.01f truncates to 2
      {250.0f, 25.0f, 3.0f, 88, 5.0f, 52},  // a half step only past the half
  };
  for (const auto& c : cases) {
    const GraphScales s = MakeGraphScales(c.power, c.torque);
    EXPECT_EQ(std::tuple(s.power_steps, s.power_step_height, s.torque_steps, s.torque_step_height),
              std::tuple(c.power_steps, c.power_height, c.torque_steps, c.torque_height))
        << c.power << " " << c.torque;
  }
}

TEST(CarSelectTest, ADamagedCurveDrawsNothingOffTheGraph) {
  CarSpec wild = MakeRecord4();
  for (double& t : wild.torque_curve) t = 1.0e12;
  std::vector<GraphPoint> points;
  PlanGraphPoints(wild.torque_curve, MakeGraphScales(330.7f, 54.5f), 1000, 9000, points);
  EXPECT_TRUE(points.empty());
}

TEST(CarSelectTest, GraphGrows300RpmPerFrameAndStartsAfreshForANewCar) {
  CarSelectState state;
  state.graph_rpm_limit = 1000;
  int frames = 0, redraws = 0;
  for (int32_t reached = 1000; state.graph_rpm_limit < 9000; ++frames) {
    const GraphStep step = AdvanceGraph(state, 4);
    EXPECT_EQ(step.from_rpm, reached);
    reached = step.to_rpm;
    redraws += step.redraw_background;
  }
  EXPECT_EQ(frames, 27);
  EXPECT_EQ(redraws, 1);
  // A rebuilt surface (id -1) redraws everything up to the limit at once.
  state.graph_car_id = -1;
  const GraphStep rebuilt = AdvanceGraph(state, 4);
  EXPECT_EQ(std::tuple(rebuilt.redraw_background, rebuilt.from_rpm, rebuilt.to_rpm),
            std::tuple(true, 1000, 9000));
}

}  // namespace
