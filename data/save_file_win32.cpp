#include <windows.h>

#include <cstring>

#include "app/debug_log.h"
#include "data/save_file.h"

namespace {

// ReadFile may return fewer bytes than asked for; keep reading until the buffer is full or
// the file ends. False only when the system reports an error.
bool ReadUpTo(HANDLE file, uint8_t* buffer, DWORD size, DWORD& total) {
  total = 0;
  while (total < size) {
    DWORD got = 0;
    if (!ReadFile(file, buffer + total, size - total, &got, nullptr)) return false;
    if (got == 0) break;
    total += got;
  }
  return true;
}

bool WriteAll(HANDLE file, const uint8_t* bytes, DWORD size) {
  DWORD done = 0;
  while (done < size) {
    DWORD wrote = 0;
    if (!WriteFile(file, bytes + done, size - done, &wrote, nullptr) || wrote == 0) return false;
    done += wrote;
  }
  return true;
}

// A file that fails its tests is kept for the player to look at instead of being lost when
// the defaults are saved over it at exit.
void SetAsideSaveFile() {
  if (MoveFileExA(kSaveFileName, kSaveFileBadName, MOVEFILE_REPLACE_EXISTING)) {
    WriteLog("壊れたセーブデータを vorta.sav.bad として残しました。\n");
  } else {
    WriteLog("セーブデータを vorta.sav.bad に移せません。\n");
  }
}

bool FailWrite(HANDLE file, const char* message) {
  WriteLog("%s", message);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  DeleteFileA(kSaveFileTempName);
  return false;
}

}  // namespace

void ReadSaveFile() {
  std::memset(&record_data, 0, sizeof record_data);

  RecordData decoded{};
  SaveReadOutcome outcome = SaveReadOutcome::kNoFile;
  HANDLE file = CreateFileA(kSaveFileName, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    // Only a file that is not there is no file; one that is locked or denied may hold the
    // player's records.
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
      outcome = SaveReadOutcome::kUnopenable;
      WriteLog("セーブデータを開けません (エラー %lu)。終了時にも書き込みません。\n",
               static_cast<unsigned long>(error));
    }
  } else {
    uint8_t bytes[kSaveFileBytes];
    DWORD size = 0;
    const bool read = ReadUpTo(file, bytes, sizeof bytes, size);
    CloseHandle(file);
    outcome = read ? DecodeSaveFile(bytes, size, decoded) : SaveReadOutcome::kReadError;
  }

  if (outcome != SaveReadOutcome::kLoaded) {
    WriteLog("%s", SaveReadOutcomeText(outcome));
    if (SaveFileShouldBeSetAside(outcome)) SetAsideSaveFile();
    WriteLog("セーブデータを初期化します。\n");
  }
  AdoptSaveReadOutcome(outcome, decoded);
}

bool WriteSaveFile() {
  if (!RecordsAreLoaded()) {
    WriteLog("セーブデータを読み込んでいないので書き込みません。\n");
    return false;
  }
  if (!RecordsMayBeWritten()) {
    WriteLog("読めなかったセーブデータを残すため書き込みません。\n");
    return false;
  }

  uint8_t bytes[kSaveFileBytes];
  EncodeSaveFile(record_data, bytes);

  // The new file is written beside the old one and only takes its name once it is complete
  // and on the disk, so a failure at any point leaves the old file as it was.
  HANDLE file = CreateFileA(kSaveFileTempName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    WriteLog("セーブデータをオープンできません。\n");
    return false;
  }
  if (!WriteAll(file, bytes, kSaveHeaderBytes)) {
    return FailWrite(file, "セーブヘッダーの書き込みに失敗しました。\n");
  }
  if (!WriteAll(file, bytes + kSaveHeaderBytes, sizeof(RecordData))) {
    return FailWrite(file, "セーブデータの書き込みに失敗しました。\n");
  }
  if (!FlushFileBuffers(file)) {
    return FailWrite(file, "セーブデータをディスクへ書き出せません。\n");
  }
  if (!CloseHandle(file)) {
    return FailWrite(INVALID_HANDLE_VALUE, "セーブデータを閉じられません。\n");
  }
  if (!MoveFileExA(kSaveFileTempName, kSaveFileName,
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return FailWrite(INVALID_HANDLE_VALUE, "セーブデータを置き換えられません。\n");
  }
  return true;
}
