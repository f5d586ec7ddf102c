#include "data/read_block.h"

#include <cstring>

const uint8_t* ReadBlock(void* destination, const uint8_t* cursor, size_t n) {
  // Whole 32-bit words first, then the bytes left over. Resource data carries no alignment
  // guarantee, so each word goes through memcpy rather than a uint32_t pointer.
  uint8_t* out = static_cast<uint8_t*>(destination);
  const size_t words = n / 4;
  for (size_t i = 0; i < words; ++i) {
    std::memcpy(out, cursor, 4);
    out += 4;
    cursor += 4;
  }
  for (size_t i = 0; i < n % 4; ++i) *out++ = *cursor++;
  return cursor;
}
