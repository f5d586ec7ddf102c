// Finds a "GPD" resource in the executable and hands its bytes to the portable parser.
#include <windows.h>

#include "app/debug_log.h"
#include "gfx3d/gpd_model.h"

int LoadGpdModel(GpdModel& model, const char* resourceName) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC info = FindResourceA(module, resourceName, "GPD");
  if (info == nullptr) {
    WriteLog("指定されたリソース %s は見つかりません。\n", resourceName);
    return 0;
  }
  HGLOBAL handle = LoadResource(module, info);
  if (handle == nullptr) {
    WriteLog("リソースのハンドルを取得できません。\n");
    return 0;
  }
  const void* data = LockResource(handle);
  if (data == nullptr) {
    WriteLog("リソースへのポインタを取得できません。\n");
    return 0;
  }
  // The size the resource compiler recorded; the parser checks the counts against it.
  const DWORD size = SizeofResource(module, info);
  if (ParseGpdModel(static_cast<const uint8_t*>(data), size, model) != GpdStatus::kOk) {
    WriteLog("指定されたリソース %s は GPD データではありません。\n", resourceName);
    return 0;
  }
  return 1;
}
