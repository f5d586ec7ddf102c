// The H-pattern gear lever: which key presses move it where.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "race/car_physics.h"
#include "test_cars.h"

namespace {

struct Keys {
  uint8_t now[256] = {};
  uint8_t before[256] = {};
  Keys& Down(int code) {
    now[code] = 0x80;
    return *this;
  }
  Keys& Held(int code) {
    now[code] = 0x80;
    before[code] = 0x80;
    return *this;
  }
};

class GearLever : public ::testing::Test {
 protected:
  void SetUp() override {
    car_ = MakeRecord4();
    SetRaceStartValues(race_);
  }
  void Place(int row, int column) {
    race_.gear_row = row;
    race_.gear_column = column;
  }
  void Press(const Keys& keys) { MoveGearLever(car_, race_, keys.now, keys.before); }
  void ExpectAt(int row, int column) {
    EXPECT_EQ(row, race_.gear_row);
    EXPECT_EQ(column, race_.gear_column);
  }
  // Fresh presses of `down` with the clutch held since the last frame; the lever must end
  // in (row, column).
  void Shift(std::initializer_list<int> down, int row, int column) {
    Keys keys;
    keys.Held(kKeyCodeLeftCtrl);
    for (int code : down) keys.Down(code);
    Press(keys);
    ExpectAt(row, column);
  }
  CarSpec car_;
  RaceState race_;
};

}  // namespace

TEST_F(GearLever, ArrowsDoNothingWithoutTheClutch) {
  for (int code : {kKeyCodeUp, kKeyCodeDown, kKeyCodeLeft, kKeyCodeRight}) {
    Press(Keys().Down(code));
    ExpectAt(1, 1);
  }
  // Right Ctrl (0x9D) is not the clutch.
  Press(Keys().Down(0x9D).Down(kKeyCodeUp));
  ExpectAt(1, 1);
}

TEST_F(GearLever, UpAndDownFromNeutralSelectTheColumnsGears) {
  Shift({kKeyCodeUp}, 0, 1);  // third gear
  Shift({kKeyCodeDown}, 1, 1);
  Shift({kKeyCodeDown}, 2, 1);  // fourth gear
  // Already in the lowest row.
  Shift({kKeyCodeDown}, 2, 1);
}

TEST_F(GearLever, KeysHeldSinceLastFrameDoNotCount) {
  Press(Keys().Down(kKeyCodeLeftCtrl).Held(kKeyCodeUp));
  ExpectAt(1, 1);
  Press(Keys().Held(kKeyCodeLeftCtrl).Held(kKeyCodeRight));
  ExpectAt(1, 1);
}

TEST_F(GearLever, SidewaysOnlyFromANeutralCell) {
  Shift({kKeyCodeLeft}, 1, 0);
  Shift({kKeyCodeLeft}, 1, 0);  // no column left of 0
  Shift({kKeyCodeUp}, 0, 0);  // first gear
  Shift({kKeyCodeRight}, 0, 0);  // a gear cell holds the lever in its column
  Place(1, 2);
  Shift({kKeyCodeRight}, 1, 2);  // no column right of 2
  Place(2, 1);
  Shift({kKeyCodeLeft}, 2, 1);
}

TEST_F(GearLever, LaterTestsSeeEarlierMoves) {
  // Up and Right together: Up is taken first and holds the lever in its column.
  Shift({kKeyCodeUp, kKeyCodeRight}, 0, 1);
  Place(1, 1);
  // Up then Down: back where it started.
  Shift({kKeyCodeUp, kKeyCodeDown}, 1, 1);
  // From the upper row, Up fails and Down still moves.
  Place(0, 1);
  Shift({kKeyCodeUp, kKeyCodeDown}, 1, 1);
  // Down into a gear, then Left is refused there.
  Shift({kKeyCodeDown, kKeyCodeLeft}, 2, 1);
  // Right then Left from neutral: out and back.
  Place(1, 1);
  Shift({kKeyCodeRight, kKeyCodeLeft}, 1, 1);
}

TEST_F(GearLever, BlockedSlotCannotBeEntered) {
  car_.gear_gate[2][2] = -1.0;
  Place(1, 2);
  Shift({kKeyCodeDown}, 1, 2);
  Shift({kKeyCodeUp}, 0, 2);  // fifth gear is still there
}

TEST_F(GearLever, EmptySlotCanBeEnteredAndLeftSideways) {
  car_.gear_gate[2][2] = 0.0;
  Place(1, 2);
  Shift({kKeyCodeDown}, 2, 2);
  // It is a neutral cell, so the lever may move sideways out of it.
  Shift({kKeyCodeLeft}, 2, 1);
}

TEST_F(GearLever, OnlyExactlyMinusOneBlocks) {
  EXPECT_TRUE(IsBlockedGearCell(-1.0));
  for (double ratio : {-2.0, -0.5, -1.0000000000000002, 0.0, 1.0}) {
    EXPECT_FALSE(IsBlockedGearCell(ratio)) << ratio;
  }

  car_.gear_gate[0][1] = -2.0;
  Shift({kKeyCodeUp}, 0, 1);
}
