// The H-pattern gear lever: which key presses move it where.
#include <gtest/gtest.h>

#include <initializer_list>

#include "race/car_physics.h"
#include "test_cars.h"

TEST(GearLever, FreshPressesWithTheClutchDownMoveItThroughTheGate) {
  constexpr int U = kKeyCodeUp, D = kKeyCodeDown, L = kKeyCodeLeft, R = kKeyCodeRight,
                C = kKeyCodeLeftCtrl;
  const struct {
    const char* what;
    int row, column;
    std::initializer_list<int> down, held;  // pressed in this frame, down since the last one
    int to_row, to_column;
    double lower_right = 0.793;  // the car's gear_gate[2][2]
  } cases[] = {
      {"Up without the clutch", 1, 1, {U}, {}, 1, 1},
      {"a lever off the gate is left alone", 1, 3, {U}, {C}, 1, 3},
      {"and one below it", 3, 1, {U}, {C}, 3, 1},
      {"Right Ctrl is not the clutch", 1, 1, {0x9D, U}, {}, 1, 1},
      {"third gear", 1, 1, {U}, {C}, 0, 1},
      {"back to neutral", 0, 1, {D}, {C}, 1, 1},
      {"fourth gear", 1, 1, {D}, {C}, 2, 1},
      {"already in the lowest row", 2, 1, {D}, {C}, 2, 1},
      {"Up held since the last frame", 1, 1, {C}, {U}, 1, 1},
      {"sideways from neutral", 1, 1, {L}, {C}, 1, 0},
      {"no column left of 0", 1, 0, {L}, {C}, 1, 0},
      {"first gear", 1, 0, {U}, {C}, 0, 0},
      {"a gear cell holds the lever in its column", 0, 0, {R}, {C}, 0, 0},
      {"no column right of 2", 1, 2, {R}, {C}, 1, 2},
      {"no sideways out of a lower gear", 2, 1, {L}, {C}, 2, 1},
      // Each test sees the lever where the ones before it left it.
      {"Up then Right", 1, 1, {U, R}, {C}, 0, 1},
      {"Up then Down", 1, 1, {U, D}, {C}, 1, 1},
      {"Up fails in the upper row, Down still moves", 0, 1, {U, D}, {C}, 1, 1},
      {"Down into a gear, then Left refused", 1, 1, {D, L}, {C}, 2, 1},
      {"Right then Left", 1, 1, {R, L}, {C}, 1, 1},
      {"a blocked slot", 1, 2, {D}, {C}, 1, 2, -1.0},
      {"fifth beside a blocked slot", 1, 2, {U}, {C}, 0, 2, -1.0},
      {"only exactly -1 blocks", 1, 2, {D}, {C}, 2, 2, -1.0000000000000002},
      {"-2 does not block", 1, 2, {D}, {C}, 2, 2, -2.0},
      {"an empty slot is entered", 1, 2, {D}, {C}, 2, 2, 0.0},
      {"and left sideways, being neutral", 2, 2, {L}, {C}, 2, 1, 0.0},
  };
  for (const auto& c : cases) {
    CarSpec car = MakeRecord4();
    car.gear_gate[2][2] = c.lower_right;
    RaceState race;
    SetRaceStartValues(race);
    race.gear_row = c.row;
    race.gear_column = c.column;
    uint8_t now[256] = {}, before[256] = {};
    for (int code : c.down) now[code] = 0x80;
    for (int code : c.held) now[code] = before[code] = 0x80;
    MoveGearLever(car, race, now, before);
    EXPECT_EQ(c.to_row, race.gear_row) << c.what;
    EXPECT_EQ(c.to_column, race.gear_column) << c.what;
  }
}
