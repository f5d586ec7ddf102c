#include "data/save_file.h"

#include <cstring>

namespace {
bool records_loaded = false;
}  // namespace

bool RecordsAreLoaded() { return records_loaded; }

void AdoptSaveReadOutcome(SaveReadOutcome outcome, const RecordData& decoded) {
  if (outcome == SaveReadOutcome::kLoaded) {
    record_data = decoded;
  } else {
    BuildDefaultRecords();
  }
  records_loaded = true;
}

void ForgetRecords() {
  std::memset(&record_data, 0, sizeof record_data);
  records_loaded = false;
}
