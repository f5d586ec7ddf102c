#include <windows.h>

#include <utility>
#include <vector>

#include "app/debug_log.h"
#include "data/car_data_format.h"
#include "data/car_data_loader.h"
#include "data/car_table.h"

bool LoadCarData() {
  ClearCarTable();

  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC info = FindResourceA(module, "cardata", "CARDATA");
  if (info == nullptr) {
    WriteLog("リソース cardata は見つかりません。\n");
    return false;
  }
  HGLOBAL handle = LoadResource(module, info);
  if (handle == nullptr) {
    WriteLog("リソースのハンドルを取得できません。\n");
    return false;
  }
  const void* bytes = LockResource(handle);
  if (bytes == nullptr) {
    WriteLog("リソースへのポインタを取得できません。\n");
    return false;
  }

  // The resource's own size bounds every read: a count that disagrees with it is refused
  // rather than trusted.
  const DWORD size = SizeofResource(module, info);
  std::vector<CarRecord> records;
  const CarDataError error = ParseCarData(static_cast<const uint8_t*>(bytes), size, records);
  if (error != CarDataError::kNone) {
    WriteLog("%s", CarDataErrorText(error));
    return false;
  }
  InstallCarTable(std::move(records));
  return true;
}

void ReleaseCarData() { ClearCarTable(); }
