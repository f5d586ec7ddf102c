// The debug log's Windows side: a fresh log for every debug run, and the debugger output.
#include <windows.h>

#include "app/debug_log.h"
#include "app/debug_log_entry.h"
#include "app/debug_log_win32.h"
#include "app/wide_text_win32.h"

namespace {
void SendToDebugger(const char* message) { OutputDebugStringW(WidenUtf8(message).c_str()); }

// The system's local time: the C runtime's own zone handling reads a Unix TZ name such as
// "Europe/Berlin" (passed on by Wine) as UTC.
LogTime SystemLocalTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}
}  // namespace

void StartDebugLog() {
  debug_mode = 1;
  SetLogDebuggerSink(&SendToDebugger);
  SetLogClock(&SystemLocalTime);
  SetLogFileEncoder(&NarrowToCodePage932);
  DeleteFileA(".\\vorta.log");
  WriteLog("%s", kDebugModeMessage);
}
