// The CARDATA resource: a count and the CarSpec records, checked before the game trusts them.
// Portable: no Windows header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "data/car_record.h"

enum class CarDataError {
  kNone,
  kTooShort,         // fewer than the 4 bytes of the count
  kNegativeCount,
  kSizeMismatch,     // the bytes are not exactly 4 + count × 612
  kNotFinite,        // a float or double field is NaN or infinite
  kIdleOutOfRange,   // idle_rpm outside the 0..19500 rpm the torque curve covers
};

// A car record as the game holds it in memory: the CarSpec itself, on an 8-byte boundary.
// The resource packs records every 612 bytes, so in a plain CarSpec array every second
// record's doubles sit off their natural alignment, and reading them through a double
// pointer (the torque lookup takes the curve as one) is undefined behaviour. Use it where
// CarSpec is meant; never walk an array of them with a CarSpec pointer (the stride differs).
struct alignas(8) CarRecord : CarSpec {};
static_assert(sizeof(CarRecord) == 616 && alignof(CarRecord) == 8);

constexpr size_t kCarDataCountBytes = 4;
constexpr size_t kCarRecordBytes = sizeof(CarSpec);  // 612
constexpr int32_t kIdleRpmMax = 19500;                // rpm, the last torque curve point

// Reads the count and the records from size bytes. On success out holds the records in
// resource order, every name NUL-terminated within kCarNameMaxBytes with the rest of its
// field zero. On failure out is left empty and the reason is returned.
CarDataError ParseCarData(const uint8_t* bytes, size_t size, std::vector<CarRecord>& out);
// The same into plain records, for host tools; records at odd positions are then not
// 8-byte aligned (see CarRecord).
CarDataError ParseCarData(const uint8_t* bytes, size_t size, std::vector<CarSpec>& out);

// The debug log line for a parse failure (UTF-8, ends with "\n").
const char* CarDataErrorText(CarDataError error);

// Cuts a name field to at most kCarNameMaxBytes bytes, never between the two bytes of a
// Shift-JIS character, and zeroes everything after the name.
void TerminateCarName(char (&name)[128]);
