// The keyboard as every scene sees it: one byte per DirectInput key code, bit 7 = down.
//
// The frame reads the keyboard into `key_state`, folds the joystick into it, handles the keys
// that went down since `previous_key_state`, and only then copies one into the other.
#pragma once

#include <cstdint>

constexpr int kKeyCount = 256;
constexpr uint8_t kKeyDownBit = 0x80;

extern uint8_t key_state[kKeyCount];
extern uint8_t previous_key_state[kKeyCount];

// While bit 0 is set the joystick's buttons are not folded into the keys: the option screen
// sets it while a button is being assigned, so that pressing it does not also act.
extern int32_t button_capture;
constexpr int32_t kButtonCaptureBit = 0x1;

// Down in this frame's reading.
inline bool IsKeyHeld(const uint8_t* keys, int code) {
  return (keys[code & 0xFF] & kKeyDownBit) != 0;
}

// Went down since the previous frame's key handling.
inline bool IsKeyPressed(const uint8_t* keys, const uint8_t* previous, int code) {
  return IsKeyHeld(keys, code) && !IsKeyHeld(previous, code);
}

inline bool IsKeyHeld(int code) { return IsKeyHeld(key_state, code); }
inline bool IsKeyPressed(int code) { return IsKeyPressed(key_state, previous_key_state, code); }

// The end of a frame's key handling: what is down now becomes what was down before.
void RememberKeyState();
