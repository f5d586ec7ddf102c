#include "data/car_table.h"

#include <utility>

std::vector<CarRecord> car_table;
int32_t car_count = 0;
alignas(8) CarSpec current_car{};
int32_t current_car_index = -1;

void InstallCarTable(std::vector<CarRecord> records) {
  car_table = std::move(records);
  car_count = static_cast<int32_t>(car_table.size());
}

void ClearCarTable() {
  std::vector<CarRecord>().swap(car_table);
  car_count = 0;
}

CarSpec* FindCarById(int32_t id) {
  for (CarRecord& car : car_table) {
    if (car.id == id) return &car;
  }
  return nullptr;
}

bool IsSelectableCar(int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < car_table.size() &&
         car_table[static_cast<size_t>(index)].selectable == 1;
}

bool AnySelectableCar() {
  for (const CarRecord& car : car_table) {
    if (car.selectable == 1) return true;
  }
  return false;
}

int32_t StepToSelectableCar(int32_t index, int32_t direction) {
  const int32_t count = static_cast<int32_t>(car_table.size());
  if (count == 0 || !AnySelectableCar()) return -1;
  const int32_t step = direction < 0 ? count - 1 : 1;  // -1 as a forward step, stays >= 0
  int32_t at = (index % count + count) % count;
  do {
    at = (at + step) % count;
  } while (car_table[static_cast<size_t>(at)].selectable != 1);
  return at;
}
