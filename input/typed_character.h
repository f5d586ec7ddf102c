// Text entry: the character of the key being typed, from the thread's keyboard state.
//
// Name entry does not use `key state` (DirectInput codes know nothing of Shift or the
// keyboard layout); it asks Windows to translate the virtual keys that are down.
#pragma once

#include <cstdint>

// Translates one virtual key under `keyboardState` (256 bytes by virtual-key code); returns
// how many characters it wrote into `character` (0 when the key types nothing). On Windows
// this is ToAscii; tests hand in their own.
using KeyTranslator = int (*)(int virtualKey, const uint8_t* keyboardState, uint16_t* character);

// The first character that a key down in `keyboardState` types, trying virtual keys 0..254 in
// ascending order (so when several are down the lowest code wins), as a signed byte widened
// to int; 0 when no key down types anything.
int FirstTypedCharacter(const uint8_t keyboardState[256], KeyTranslator translate);
