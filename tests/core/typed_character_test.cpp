// Picking the typed character out of the keyboard state.
#include <gtest/gtest.h>

#include <vector>

#include "input/typed_character.h"

namespace {

// A small US-like layout: letters follow Shift, digits type themselves, Shift alone types
// nothing, and 0xDE types the code page byte 0xB1 (a half-width katakana).
constexpr int kShift = 0x10;
std::vector<int> translated;

int FakeTranslate(int virtualKey, const uint8_t* state, uint16_t* character) {
  translated.push_back(virtualKey);
  const bool shift = (state[kShift] & 0x80) != 0;
  if (virtualKey >= 'A' && virtualKey <= 'Z') {
    *character = static_cast<uint16_t>(shift ? virtualKey : virtualKey + ('a' - 'A'));
    return 1;
  }
  if (virtualKey >= '0' && virtualKey <= '9') {
    *character = static_cast<uint16_t>(virtualKey);
    return 1;
  }
  if (virtualKey == 0xDE) {
    *character = 0xB1;
    return 1;
  }
  return 0;
}

struct Keyboard {
  uint8_t state[256] = {};
  Keyboard& Down(int virtualKey) {
    state[virtualKey] = 0x80;
    return *this;
  }
  int Typed() {
    translated.clear();
    return FirstTypedCharacter(state, FakeTranslate);
  }
};

}  // namespace

TEST(TypedCharacter, ShiftCaseLowestKeyAndOnlyDownKeys) {
  EXPECT_EQ('A', Keyboard().Down(kShift).Down('A').Typed());
  EXPECT_EQ('a', Keyboard().Down('A').Typed());
  // Shift alone types nothing; it is asked and passed over.
  Keyboard shiftOnly;
  shiftOnly.Down(kShift);
  EXPECT_EQ(0, shiftOnly.Typed());
  EXPECT_EQ(std::vector<int>{kShift}, translated);
  // The record screen compares signed chars: a code page byte above 127 comes back negative.
  EXPECT_EQ(-0x4F, Keyboard().Down(0xDE).Typed());

  // The lowest key code wins, and only keys that are down are asked.
  Keyboard several;
  several.Down('Z').Down('7').Down('B');
  EXPECT_EQ('7', several.Typed());
  EXPECT_EQ(std::vector<int>{'7'}, translated);

  // Toggle bits (bit 0, Caps Lock's light) are not "down".
  Keyboard toggled;
  toggled.state['Q'] = 0x01;
  toggled.Down('R');
  EXPECT_EQ('r', toggled.Typed());
  EXPECT_EQ(std::vector<int>{'R'}, translated);
}
