#include "data/save_file.h"

#include <cstring>

namespace {
bool records_loaded = false;
bool file_kept = false;  // the file was there but unreadable: the exit leaves it alone
}  // namespace

bool RecordsAreLoaded() { return records_loaded; }

bool RecordsMayBeWritten() { return records_loaded && !file_kept; }

void AdoptSaveReadOutcome(SaveReadOutcome outcome, const RecordData& decoded) {
  if (outcome == SaveReadOutcome::kLoaded) {
    record_data = decoded;
  } else {
    BuildDefaultRecords();
  }
  records_loaded = true;
  file_kept = SaveFileMustBeKept(outcome);
}

void ForgetRecords() {
  std::memset(&record_data, 0, sizeof record_data);
  records_loaded = false;
  file_kept = false;
}
