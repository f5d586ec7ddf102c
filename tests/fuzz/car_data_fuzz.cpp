// Any bytes as the CARDATA resource: the reader never reads past them, and every table it
// accepts can be shown, raced and drawn from without leaving the records.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "data/car_data_format.h"
#include "data/record_data.h"
#include "data/torque_curve.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly size bytes, so that ASan sees any read past the resource.
  std::vector<uint8_t> bytes(data, data + size);
  std::vector<CarRecord> cars;
  if (ParseCarData(bytes.data(), bytes.size(), cars) != CarDataError::kNone) {
    if (!cars.empty()) std::abort();
    return 0;
  }
  if (cars.size() != (size - 4) / sizeof(CarSpec)) std::abort();

  FillTachoScale();
  for (const CarSpec& car : cars) {
    if (std::strlen(car.name) > static_cast<size_t>(kCarNameMaxBytes)) std::abort();
    const TachoScaleRow& row = TachoScaleFor(car);
    if (&row < TachoScale || &row > TachoScale + 2) std::abort();
    float power = 0, torque = 0;
    int32_t power_rpm = 0, torque_rpm = 0;
    ScanTorqueCurve(car.torque_curve, power, power_rpm, torque, torque_rpm, 2000, 14500, 100);
    TorqueAt(car.torque_curve, car.idle_rpm);
    TorqueAt(car.torque_curve, row.rev_limit + 1);
  }

  RecordData records;
  uint32_t state = 1;
  BuildDefaultRecords(records, cars, state);
  if (std::memchr(records.tables[1][1][4].car_name, 0, 28) == nullptr) std::abort();
  return 0;
}
