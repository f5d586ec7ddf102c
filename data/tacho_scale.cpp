#include "data/car_record.h"

TachoScaleRow TachoScale[3];

void FillTachoScale() {
  // The dial sweeps the same 200 degrees on every face; only the rpm it spans changes.
  TachoScale[0] = {10000, -30.0f, 170.0f};
  TachoScale[1] = {16000, -30.0f, 170.0f};
  TachoScale[2] = {18000, -30.0f, 170.0f};
}

const TachoScaleRow& TachoScaleFor(const CarSpec& car) {
  // Only the low byte selects the row; anything past the last row uses the last row, so a
  // damaged record can never index outside the table.
  const unsigned row = static_cast<uint32_t>(car.tacho_type) & 0xFFu;
  return TachoScale[row < 3 ? row : 2];
}
