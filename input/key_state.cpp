#include "input/key_state.h"

#include <cstring>

uint8_t key_state[kKeyCount] = {};
uint8_t previous_key_state[kKeyCount] = {};
int32_t button_capture = 0;

void RememberKeyState() { std::memcpy(previous_key_state, key_state, sizeof(key_state)); }
