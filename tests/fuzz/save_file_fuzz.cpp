// Any bytes as a save file: decoding never reads past them, and whatever it accepts is
// sound and survives a write and a second read unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "data/save_file_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RecordData records;
  std::memset(&records, 0xA5, sizeof records);
  if (DecodeSaveFile(data, size, records) != SaveReadOutcome::kLoaded) return 0;

  for (const auto& course : records.tables) {
    for (const auto& table : course) {
      for (const RankingEntry& entry : table) {
        if (std::memchr(entry.player_name, 0, 9) == nullptr) std::abort();
        if (std::memchr(entry.car_name, 0, sizeof entry.car_name) == nullptr) std::abort();
        if (entry.value != entry.value) std::abort();  // NaN
      }
    }
  }

  uint8_t file[kSaveFileBytes];
  EncodeSaveFile(records, file);
  RecordData again;
  if (DecodeSaveFile(file, sizeof file, again) != SaveReadOutcome::kLoaded) std::abort();
  if (std::memcmp(&again, &records, sizeof records) != 0) std::abort();
  // The body and the words of the header that matter come back byte for byte.
  if (std::memcmp(file + 36, data + 36, kSaveFileBytes - 36) != 0) std::abort();
  return 0;
}
