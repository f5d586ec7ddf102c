#include "input/typed_character.h"

int FirstTypedCharacter(const uint8_t keyboardState[256], KeyTranslator translate) {
  // 255 is not a key; Windows keeps it reserved.
  for (int virtualKey = 0; virtualKey < 255; ++virtualKey) {
    if ((keyboardState[virtualKey] & 0x80) == 0) continue;
    uint16_t character = 0;
    if (translate(virtualKey, keyboardState, &character) > 0) {
      // The record screen compares against signed chars, so a code page byte above 127
      // comes back negative.
      return static_cast<int>(static_cast<int8_t>(character & 0xFF));
    }
  }
  return 0;
}
