// The run log: every finished run as one line of .\vorta_runs.csv beside the save file, so a
// player can follow a slip from run to run long after the tables have forgotten it. Only ever
// appended to. Portable: no Windows header.
#pragma once

#include <cstdint>
#include <string>

#include "race/race_state.h"

constexpr const char* kRunLogFileName = ".\\vorta_runs.csv";

// The first line of a new log, without its line end.
extern const char kRunLogHeader[];

struct LocalDateTime {
  int year, month, day, hour, minute, second;
};

// One run as a CSV line without its line end: the date, the car's name (UTF-8, quoted when it
// holds a comma or a quote), the course, the slip in seconds with three decimals and km/h with
// one, the top speed and the frame rate at the finish. A mark the course does not have, or the
// run has not passed, is an empty field.
std::string FormatRunLogLine(const LocalDateTime& date, const std::string& carNameUtf8,
                             int32_t courseMetres, const RaceState& race);

// A car name's single-byte Shift-JIS as UTF-8, as the log has it: ASCII as it is, the
// half-width katakana (0xA1..0xDF) as U+FF61..U+FF9F, anything else as "?". For the host tools,
// which have no code page 932; every delivered name is in that range.
std::string SingleByteShiftJisToUtf8(const char* text, size_t maxBytes);

// The bytes to append to a log that holds existingBytes ending in lastByte: the header when the
// log is empty, a line end when its last line lacks one, then the line; lines end in CR LF.
std::string RunLogAppendText(uint64_t existingBytes, char lastByte, const std::string& line);
