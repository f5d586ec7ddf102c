#include "race/run_log_win32.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "app/debug_log.h"
#include "race/race_flow.h"
#include "race/run_log.h"

namespace {

constexpr UINT kShiftJisCodePage = 932;  // the car data's names

// The car's Shift-JIS name as UTF-8. Should the system lack the code page, the bytes outside
// ASCII become "?" rather than text no reader can decode.
std::string CarNameUtf8(const CarSpec& car) {
  const int length = static_cast<int>(strnlen(car.name, sizeof car.name));
  if (length == 0) return std::string();
  const int wideLength = MultiByteToWideChar(kShiftJisCodePage, 0, car.name, length, nullptr, 0);
  std::wstring wide(static_cast<size_t>(wideLength > 0 ? wideLength : 0), L'\0');
  if (wideLength > 0 &&
      MultiByteToWideChar(kShiftJisCodePage, 0, car.name, length, wide.data(), wideLength) > 0) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0 && WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), size,
                                        nullptr, nullptr) > 0) {
      return utf8;
    }
  }
  std::string ascii(car.name, static_cast<size_t>(length));
  for (char& c : ascii) {
    if (static_cast<unsigned char>(c) > 0x7F) c = '?';
  }
  return ascii;
}

// The log's size and last byte; false when they cannot be read.
bool ReadLogEnd(HANDLE file, uint64_t& size, char& lastByte) {
  LARGE_INTEGER bytes = {};
  if (!GetFileSizeEx(file, &bytes)) return false;
  size = static_cast<uint64_t>(bytes.QuadPart);
  lastByte = '\0';
  if (size == 0) return true;
  LARGE_INTEGER last = {};
  last.QuadPart = bytes.QuadPart - 1;
  DWORD got = 0;
  return SetFilePointerEx(file, last, nullptr, FILE_BEGIN) &&
         ReadFile(file, &lastByte, 1, &got, nullptr) && got == 1;
}

bool WriteAll(HANDLE file, const std::string& text) {
  DWORD done = 0;
  while (done < text.size()) {
    DWORD wrote = 0;
    if (!WriteFile(file, text.data() + done, static_cast<DWORD>(text.size() - done), &wrote,
                   nullptr) ||
        wrote == 0) {
      return false;
    }
    done += wrote;
  }
  return true;
}

}  // namespace

LocalDateTime ReadLocalDateTime() {
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

void AppendRunToLog(const RaceState& race, const CarSpec& car, uint8_t raceMode,
                    const LocalDateTime& date) {
  const int32_t course = static_cast<int32_t>(CourseLength[CourseIndex(raceMode)]);
  const std::string line = FormatRunLogLine(date, CarNameUtf8(car), course, race);

  // Append-only access: whatever happens, the lines already there are never written over.
  HANDLE file = CreateFileA(kRunLogFileName, GENERIC_READ | FILE_APPEND_DATA, FILE_SHARE_READ,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    WriteLog("走行記録 vorta_runs.csv を開けません (エラー %lu)。\n",
             static_cast<unsigned long>(GetLastError()));
    return;
  }
  uint64_t size = 0;
  char lastByte = '\0';
  const bool written = ReadLogEnd(file, size, lastByte) &&
                       WriteAll(file, RunLogAppendText(size, lastByte, line));
  if (!written) {
    WriteLog("走行記録 vorta_runs.csv に書き込めません (エラー %lu)。\n",
             static_cast<unsigned long>(GetLastError()));
  }
  CloseHandle(file);
}
