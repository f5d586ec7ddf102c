#include "data/save_file_format.h"

#include <cmath>
#include <cstring>

// .\vorta.sav, 1098 bytes, little-endian:
//
//   offset  size  field
//   0       36    title "vorta ~Mark Q~", NUL-terminated, zero up to 36
//   36      2     u16, always 0
//   38      2     u16 version, 75
//   40      2     u16 checksum of the record data before inversion
//   42      1056  the record data (record_data.h) with every bit inverted

#if defined(__BYTE_ORDER__)
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "the record data is copied to and from the file byte for byte");
#endif

namespace {

constexpr size_t kZeroWordOffset = 36;
constexpr size_t kVersionOffset = 38;
constexpr size_t kChecksumOffset = 40;

uint16_t ReadU16(const uint8_t* bytes) {
  return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

void WriteU16(uint8_t* bytes, uint16_t value) {
  bytes[0] = static_cast<uint8_t>(value & 0xFF);
  bytes[1] = static_cast<uint8_t>(value >> 8);
}

bool EndsWithin(const char* text, size_t bytes) { return std::memchr(text, '\0', bytes) != nullptr; }

// A file whose checksum is right can still have been made by hand. The screens print every
// name until its NUL and the race sorts by the values, so both must be sound before use.
bool ContentsAreSound(const RecordData& records) {
  for (const auto& course : records.tables) {
    for (const auto& table : course) {
      for (const RankingEntry& entry : table) {
        if (!std::isfinite(entry.value)) return false;
        if (!EndsWithin(entry.player_name, kPlayerNameMaxChars + 1)) return false;
        if (!EndsWithin(entry.car_name, sizeof entry.car_name)) return false;
      }
    }
  }
  return EndsWithin(records.player_name, kPlayerNameMaxChars + 1);
}

}  // namespace

uint16_t ChecksumWords(const void* data, size_t length) {
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  uint32_t sum = 0;
  for (size_t i = 0; i + 1 < length; i += 2) {
    sum += ReadU16(bytes + i);
    // Folding as it goes keeps the sum far from 2^32 for any length; the result is the
    // same as folding once at the end.
    if (sum > 0xFFFF) sum = (sum & 0xFFFF) + (sum >> 16);
  }
  if (length % 2 != 0) sum += bytes[length - 1];
  while (sum > 0xFFFF) sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<uint16_t>(sum);
}

void InvertWords(void* data, size_t length) {
  uint8_t* bytes = static_cast<uint8_t*>(data);
  for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<uint8_t>(~bytes[i]);
}

void EncodeSaveFile(const RecordData& records, uint8_t (&file)[kSaveFileBytes]) {
  std::memset(file, 0, kSaveHeaderBytes);
  std::memcpy(file, kSaveTitle, sizeof kSaveTitle);
  WriteU16(file + kZeroWordOffset, 0);
  WriteU16(file + kVersionOffset, kSaveVersion);
  WriteU16(file + kChecksumOffset, ChecksumWords(&records, sizeof records));
  std::memcpy(file + kSaveHeaderBytes, &records, sizeof records);
  InvertWords(file + kSaveHeaderBytes, sizeof records);
}

SaveReadOutcome DecodeSaveFile(const uint8_t* bytes, size_t size, RecordData& out) {
  // The header is judged as if read into a zeroed buffer, so a file too short for it fails
  // the title or version test like any other foreign file.
  uint8_t header[kSaveHeaderBytes] = {};
  if (bytes == nullptr) size = 0;
  if (size > 0) std::memcpy(header, bytes, size < kSaveHeaderBytes ? size : kSaveHeaderBytes);

  // The title compares as a string: its NUL must match too, bytes after it do not count.
  if (std::memcmp(header, kSaveTitle, sizeof kSaveTitle) != 0) return SaveReadOutcome::kForeignTitle;
  if (ReadU16(header + kZeroWordOffset) != 0 || ReadU16(header + kVersionOffset) != kSaveVersion) {
    return SaveReadOutcome::kWrongVersion;
  }
  if (size < kSaveFileBytes) return SaveReadOutcome::kShort;

  RecordData records;
  std::memcpy(&records, bytes + kSaveHeaderBytes, sizeof records);
  InvertWords(&records, sizeof records);
  if (ChecksumWords(&records, sizeof records) != ReadU16(header + kChecksumOffset)) {
    return SaveReadOutcome::kAltered;
  }
  if (!ContentsAreSound(records)) return SaveReadOutcome::kBadContents;
  out = records;
  return SaveReadOutcome::kLoaded;
}

const char* SaveReadOutcomeText(SaveReadOutcome outcome) {
  switch (outcome) {
    case SaveReadOutcome::kLoaded:
      return nullptr;
    case SaveReadOutcome::kNoFile:
    case SaveReadOutcome::kUnopenable:
      return "セーブデータをオープンできません。\n";
    case SaveReadOutcome::kReadError:
      return "ReadFile() 関数が失敗しました。\n";
    case SaveReadOutcome::kForeignTitle:
      return "VORTA のセーブデータではありません。\n";
    case SaveReadOutcome::kWrongVersion:
      return "セーブデータのバージョンが異なります。\n";
    case SaveReadOutcome::kShort:
      return "セーブデータが途中で切れています。\n";
    case SaveReadOutcome::kAltered:
      return "セーブデータが改変されている可能性があります。\n";
    case SaveReadOutcome::kBadContents:
      return "セーブデータの内容が正しくありません。\n";
  }
  return nullptr;
}

bool SaveFileShouldBeSetAside(SaveReadOutcome outcome) {
  switch (outcome) {
    case SaveReadOutcome::kForeignTitle:
    case SaveReadOutcome::kWrongVersion:
    case SaveReadOutcome::kShort:
    case SaveReadOutcome::kAltered:
    case SaveReadOutcome::kBadContents:
      return true;
    case SaveReadOutcome::kLoaded:
    case SaveReadOutcome::kNoFile:
    case SaveReadOutcome::kUnopenable:
    case SaveReadOutcome::kReadError:
      return false;
  }
  return false;
}

bool SaveFileMustBeKept(SaveReadOutcome outcome) {
  return outcome == SaveReadOutcome::kUnopenable || outcome == SaveReadOutcome::kReadError;
}
