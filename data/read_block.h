// The cursor copy with which every reader of an in-executable resource walks its bytes.
// Portable: no Windows header.
#pragma once

#include <cstddef>
#include <cstdint>

// Copies n bytes from cursor to destination and returns cursor + n. It trusts n: the caller
// checks first that [cursor, cursor + n) lies inside the bytes it was given.
const uint8_t* ReadBlock(void* destination, const uint8_t* cursor, size_t n);
