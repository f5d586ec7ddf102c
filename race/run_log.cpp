#include "race/run_log.h"

#include <cstdio>

const char kRunLogHeader[] =
    "date,car,course_m,reaction_s,t20_s,t100_s,t200_s,v200_kmh,t400_s,v400_kmh,t600_s,t800_s,"
    "t1000_s,v1000_kmh,top_kmh,fps_finish";

namespace {

constexpr const char* kLineEnd = "\r\n";

// Mark indices of kSlipMarkMetres.
constexpr int k20 = 0, k100 = 1, k200 = 2, k400 = 3, k600 = 4, k800 = 5, k1000 = 6;

// Exact to the millisecond: the clock's own whole milliseconds, never a rounded double.
std::string Seconds(uint32_t ms) {
  char text[24];
  std::snprintf(text, sizeof text, "%u.%03u", static_cast<unsigned>(ms / 1000),
                static_cast<unsigned>(ms % 1000));
  return text;
}

std::string Kmh(double kmh) {
  char text[40];
  std::snprintf(text, sizeof text, "%.1f", kmh);
  return text;
}

std::string QuotedField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace

std::string FormatRunLogLine(const LocalDateTime& date, const std::string& carNameUtf8,
                             int32_t courseMetres, const RaceState& race) {
  const TimeSlip& slip = race.slip;
  auto time = [&](int mark) {
    return slip.marks[mark].passed ? Seconds(slip.marks[mark].time_ms) : std::string();
  };
  auto speed = [&](int mark) {
    return slip.marks[mark].passed ? Kmh(slip.marks[mark].speed) : std::string();
  };
  char when[64];
  std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d:%02d:%02d", date.year, date.month,
                date.day, date.hour, date.minute, date.second);
  const std::string fields[] = {
      when,       QuotedField(carNameUtf8),
      std::to_string(courseMetres),
      slip.reacted ? Seconds(slip.reaction_ms) : std::string(),
      time(k20),  time(k100),
      time(k200), speed(k200),
      time(k400), speed(k400),
      time(k600), time(k800),
      time(k1000), speed(k1000),
      Kmh(race.top_speed),
      std::to_string(race.fps_at_finish),
  };
  std::string line = fields[0];
  for (size_t i = 1; i < sizeof fields / sizeof fields[0]; ++i) line += ',' + fields[i];
  return line;
}

std::string SingleByteShiftJisToUtf8(const char* text, size_t maxBytes) {
  std::string out;
  for (size_t i = 0; i < maxBytes && text[i] != '\0'; ++i) {
    const unsigned char b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
    } else if (b >= 0xA1 && b <= 0xDF) {
      const unsigned codePoint = 0xFF61 + (b - 0xA1);
      out += static_cast<char>(0xE0 | (codePoint >> 12));
      out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
      out += '?';
    }
  }
  return out;
}

std::string RunLogAppendText(uint64_t existingBytes, char lastByte, const std::string& line) {
  std::string text;
  if (existingBytes == 0) {
    text = std::string(kRunLogHeader) + kLineEnd;
  } else if (lastByte != '\n') {
    text = kLineEnd;
  }
  return text + line + kLineEnd;
}
