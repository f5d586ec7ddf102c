// The car table the build compiled from resources/cardata/cars.txt, for tests that check the
// records and what is derived from them.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "data/car_data_format.h"

inline std::vector<uint8_t> ReadDeliveredCarDataBytes() {
  std::ifstream in(std::string(VORTA_BINARY_DIR) + "/resources/cardata.bin", std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Empty when the file is missing or does not parse; the tests then fail on the count.
inline std::vector<CarRecord> ReadDeliveredCarTable() {
  const std::vector<uint8_t> bytes = ReadDeliveredCarDataBytes();
  std::vector<CarRecord> cars;
  ParseCarData(bytes.data(), bytes.size(), cars);
  return cars;
}
