// The debug log's Windows side: a fresh log for every debug run, and the debugger output.
#include <windows.h>

#include "app/debug_log.h"
#include "app/debug_log_entry.h"
#include "app/debug_log_win32.h"
#include "app/wide_text_win32.h"

namespace {
void SendToDebugger(const char* message) { OutputDebugStringW(WidenUtf8(message).c_str()); }
}  // namespace

void StartDebugLog() {
  debug_mode = 1;
  SetLogDebuggerSink(&SendToDebugger);
  DeleteFileA(".\\vorta.log");
  WriteLog("%s", kDebugModeMessage);
}
