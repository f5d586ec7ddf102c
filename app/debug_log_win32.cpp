// The debug log's Windows side: a fresh log for every debug run, and the debugger output.
#include <windows.h>

#include <string>

#include "app/debug_log.h"
#include "app/debug_log_entry.h"
#include "app/debug_log_win32.h"

namespace {
void SendToDebugger(const char* message) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, message, -1, nullptr, 0);
  if (length <= 0) return;
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, message, -1, wide.data(), length);
  OutputDebugStringW(wide.c_str());
}
}  // namespace

void StartDebugLog() {
  debug_mode = 1;
  SetLogDebuggerSink(&SendToDebugger);
  DeleteFileA(".\\vorta.log");
  WriteLog("%s", kDebugModeMessage);
}
