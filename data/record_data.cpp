#include "data/record_data.h"

#include <cstring>

#include "data/car_table.h"

RecordData record_data{};
uint32_t random_state = 1;

int32_t NextRandom(uint32_t& state) {
  state = state * 214013u + 2531011u;  // wraps mod 2^32
  return static_cast<int32_t>((state >> 16) & 0x7FFFu);
}

int32_t Random() { return NextRandom(random_state); }

namespace {

void CopyCarName(char (&destination)[28], const CarSpec& car) {
  // Names are at most 27 bytes once loaded; the bound only guards a record made elsewhere.
  const void* nul = std::memchr(car.name, '\0', sizeof destination - 1);
  const size_t length =
      nul != nullptr ? static_cast<const char*>(nul) - car.name : sizeof destination - 1;
  std::memcpy(destination, car.name, length);
  std::memset(destination + length, 0, sizeof destination - length);
}

// Whether a draw can ever land on a selectable record. Draws are below 0x8000, so records
// past that index are out of reach; every index below it is reached within the sequence's
// period, so the draw loop below ends whenever this is true.
bool DrawCanSucceed(const std::vector<CarRecord>& cars) {
  const size_t reachable = cars.size() < 0x8000 ? cars.size() : 0x8000;
  for (size_t i = 0; i < reachable; ++i) {
    if (cars[i].selectable == 1) return true;
  }
  return false;
}

}  // namespace

void BuildDefaultRecords(RecordData& records, const std::vector<CarRecord>& cars,
                         uint32_t& state) {
  std::memset(&records, 0, sizeof records);

  for (int i = 0; i < kRankingEntries; ++i) {
    records.tables[0][kTimeTable][i].value = static_cast<float>(13.0 + 0.5 * i);   // s
    records.tables[0][kSpeedTable][i].value = static_cast<float>(170 - 2 * i);     // km/h
    records.tables[1][kTimeTable][i].value = static_cast<float>(24.0 + 0.8 * i);   // s
    records.tables[1][kSpeedTable][i].value = static_cast<float>(210 - 3 * i);     // km/h
  }
  for (auto& course : records.tables) {
    for (auto& table : course) {
      for (int i = 0; i < kRankingEntries; ++i) {
        std::memset(table[i].player_name, 'A' + i, kPlayerNameMaxChars);
      }
    }
  }

  // Course by course, entry by entry, the time table's entry before the top-speed one.
  if (DrawCanSucceed(cars)) {
    for (auto& course : records.tables) {
      for (int i = 0; i < kRankingEntries; ++i) {
        for (auto& table : course) {
          size_t r = 0;
          do {
            r = static_cast<size_t>(NextRandom(state)) % cars.size();
          } while (cars[r].selectable != 1);
          CopyCarName(table[i].car_name, cars[r]);
        }
      }
    }
  }

  std::memset(records.player_name, 'A', kPlayerNameMaxChars);
}

void BuildDefaultRecords() {
  BuildDefaultRecords(record_data, car_table, random_state);
}
