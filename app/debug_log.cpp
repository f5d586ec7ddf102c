#include "app/debug_log.h"

#include <cstdarg>
#include <cstdio>
#include <ctime>

#include "app/debug_log_entry.h"

int debug_mode = 0;

namespace {
LogSink log_sink = nullptr;
LogClock log_clock = &LocalLogTime;
LogFileEncoder log_encoder = nullptr;
}  // namespace

void SetLogFileEncoder(LogFileEncoder encoder) { log_encoder = encoder; }

void SetLogClock(LogClock clock) { log_clock = clock != nullptr ? clock : &LocalLogTime; }

void SetLogDebuggerSink(LogSink sink) { log_sink = sink; }

std::string FormatLogEntry(const LogTime& time, const char* message) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%4d/%02d/%02d %02d:%02d:%02d\t", time.year, time.month,
                time.day, time.hour, time.minute, time.second);
  return std::string(stamp) + message;
}

LogTime LocalLogTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

void WriteLog(const char* format, ...) {
  if (debug_mode == 0) return;

  char message[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(message, sizeof message, format, args);
  va_end(args);

  if (log_sink != nullptr) log_sink(message);

  // Opened and closed for every entry so the log is complete up to the last one even when
  // the program stops abruptly. The entry is written as text, never as a format.
  std::string entry = FormatLogEntry(log_clock(), message);
  if (log_encoder != nullptr) entry = log_encoder(entry);
  if (std::FILE* file = std::fopen(kLogFileName, "a")) {
    std::fwrite(entry.data(), 1, entry.size(), file);
    std::fclose(file);
  }
}
