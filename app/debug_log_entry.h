// The pieces of the debug log below WriteLog, shared with the platform layer and tests.
#pragma once

#include <string>

constexpr const char* kLogFileName = "vorta.log";
constexpr const char* kDebugModeMessage = "デバックモードで起動します。\n";

struct LogTime {
  int year, month, day, hour, minute, second;
};

// "%4d/%02d/%02d %02d:%02d:%02d\t" followed by the message, unchanged.
std::string FormatLogEntry(const LogTime& time, const char* message);

// The local time from the C runtime; the platform layer hands in its own clock.
LogTime LocalLogTime();
using LogClock = LogTime (*)();
void SetLogClock(LogClock clock);

// What the file gets for an entry written in UTF-8 (on Windows its code page 932 bytes, the
// code page of the game's texts); unchanged by default.
using LogFileEncoder = std::string (*)(const std::string& utf8);
void SetLogFileEncoder(LogFileEncoder encoder);

// Where each formatted message also goes (the debugger output on Windows).
using LogSink = void (*)(const char* message);
void SetLogDebuggerSink(LogSink sink);
