// The human-readable car table (resources/cardata/cars.txt) and its translation into the
// CARDATA resource bytes. Host tool code: runs at build time, never in the game.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/car_record.h"

// Reads the car table text. On success returns true and fills cars in file order; on
// failure returns false and lists every problem as "<source>:<line>: <what>".
bool ParseCarSource(const std::string& text, const std::string& source_name,
                    std::vector<CarSpec>& cars, std::vector<std::string>& errors);

// Converts a UTF-8 display name to the bytes the game draws: printable ASCII as it is and
// half-width katakana U+FF61..U+FF9F as the single Shift-JIS bytes 0xA1..0xDF. Anything
// else is refused with a reason.
bool ConvertCarName(const std::string& utf8, std::string& shift_jis, std::string& reason);

// The resource: the count, then the records back to back.
std::vector<uint8_t> SerializeCarData(const std::vector<CarSpec>& cars);
