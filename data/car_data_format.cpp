#include "data/car_data_format.h"

#include <cmath>
#include <cstring>

#include "data/read_block.h"

// CARDATA, little-endian, no header beyond the count:
//
//   offset          size         content
//   0               4            car_count, signed 32-bit
//   4               612 × count  CarSpec records back to back (layout in car_record.h)
//
// The delivered resource holds 16 records: 9,796 bytes.

namespace {

bool IsShiftJisLeadByte(uint8_t byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool AllFinite(const CarSpec& car) {
  const float singles[] = {car.mass,        car.frontal_area, car.downforce_coef, car.drag_coef,
                           car.rolling_coef, car.tyre_radius, car.final_drive,    car.engine_drag,
                           car.grip,        car.cg_height,    car.wheelbase,      car.rear_weight};
  for (float value : singles) {
    if (!std::isfinite(value)) return false;
  }
  // Element by element through the record, never through a reference to a row: the
  // record may be one of the packed ones (see CarRecord).
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 4; ++column) {
      if (!std::isfinite(car.gear_gate[row][column])) return false;
    }
  }
  for (int i = 0; i < 40; ++i) {
    if (!std::isfinite(car.torque_curve[i])) return false;
  }
  return true;
}

}  // namespace

void TerminateCarName(char (&name)[128]) {
  // Ranking entries keep the name in 28 bytes with its NUL, so no name may be longer than 27
  // bytes; a double-byte character that would straddle the cut is dropped whole.
  size_t length = 0;
  while (length < static_cast<size_t>(kCarNameMaxBytes) && name[length] != '\0') {
    const size_t width = IsShiftJisLeadByte(static_cast<uint8_t>(name[length])) ? 2 : 1;
    if (length + width > static_cast<size_t>(kCarNameMaxBytes) || name[length + width - 1] == '\0') {
      break;
    }
    length += width;
  }
  std::memset(name + length, 0, sizeof name - length);
}

CarDataError ParseCarData(const uint8_t* bytes, size_t size, std::vector<CarRecord>& out) {
  out.clear();
  if (bytes == nullptr || size < kCarDataCountBytes) return CarDataError::kTooShort;

  int32_t count = 0;
  const uint8_t* cursor = ReadBlock(&count, bytes, kCarDataCountBytes);
  if (count < 0) return CarDataError::kNegativeCount;
  // 64-bit so a huge count cannot wrap around on a 32-bit build and pass the test.
  const uint64_t expected = kCarDataCountBytes + static_cast<uint64_t>(count) * kCarRecordBytes;
  if (expected != size) return CarDataError::kSizeMismatch;

  std::vector<CarRecord> records(static_cast<size_t>(count));
  for (CarRecord& car : records) {
    cursor = ReadBlock(static_cast<CarSpec*>(&car), cursor, kCarRecordBytes);
    if (!AllFinite(car)) return CarDataError::kNotFinite;
    if (car.idle_rpm < 0 || car.idle_rpm > kIdleRpmMax) return CarDataError::kIdleOutOfRange;
    TerminateCarName(car.name);
  }
  out.swap(records);
  return CarDataError::kNone;
}

CarDataError ParseCarData(const uint8_t* bytes, size_t size, std::vector<CarSpec>& out) {
  out.clear();
  std::vector<CarRecord> records;
  const CarDataError error = ParseCarData(bytes, size, records);
  out.assign(records.begin(), records.end());
  return error;
}

const char* CarDataErrorText(CarDataError error) {
  switch (error) {
    case CarDataError::kNone:
      return "カーデータを読み込みました。\n";
    case CarDataError::kTooShort:
      return "カーデータに台数がありません。\n";
    case CarDataError::kNegativeCount:
      return "カーデータの台数が負です。\n";
    case CarDataError::kSizeMismatch:
      return "カーデータの大きさが台数と合いません。\n";
    case CarDataError::kNotFinite:
      return "カーデータに数値でない値があります。\n";
    case CarDataError::kIdleOutOfRange:
      return "カーデータのアイドル回転数が範囲外です。\n";
  }
  return "カーデータが正しくありません。\n";
}
