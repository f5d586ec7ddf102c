// The save file's bytes: header, checksum and inverted record data, and every test a file
// must pass before its records are used. Portable: no Windows header.
#pragma once

#include <cstddef>
#include <cstdint>

#include "data/record_data.h"

constexpr size_t kSaveHeaderBytes = 42;
constexpr size_t kSaveFileBytes = kSaveHeaderBytes + sizeof(RecordData);  // 1098
constexpr uint16_t kSaveVersion = 75;
constexpr char kSaveTitle[] = "vorta ~Mark Q~";
constexpr size_t kSaveTitleField = 36;  // bytes, NUL-padded

// Ones'-complement sum of the little-endian 16-bit words of length bytes, without a final
// complement. An odd last byte counts as a word with a zero high byte.
uint16_t ChecksumWords(const void* data, size_t length);
// Inverts every bit of length bytes (the file stores each byte as 255 minus its value).
void InvertWords(void* data, size_t length);

// How reading the save file ended. Only kLoaded keeps the file's records; every other
// outcome means the defaults.
enum class SaveReadOutcome {
  kLoaded,
  kNoFile,         // not there (file or path not found)
  kUnopenable,     // there, but could not be opened (held by another program, denied)
  kReadError,      // the system refused to read it
  kForeignTitle,
  kWrongVersion,   // the word at 36 is not 0 or the version at 38 is not 75
  kShort,          // fewer than 1098 bytes
  kAltered,        // the checksum does not match the body
  kBadContents,    // checksum right, but a value is not a number or a name has no end
};

// The file for the given records, the records kept plain.
void EncodeSaveFile(const RecordData& records, uint8_t (&file)[kSaveFileBytes]);

// Checks size bytes of a save file in the order title, version, size, checksum, contents,
// and fills out only when every test passes. Bytes past 1098 are ignored.
SaveReadOutcome DecodeSaveFile(const uint8_t* bytes, size_t size, RecordData& out);

// The debug log line that tells why the file was not used (UTF-8, ends with "\n"); null for
// kLoaded.
const char* SaveReadOutcomeText(SaveReadOutcome outcome);

// Whether the file on disk is damaged or foreign and should be kept aside before the
// defaults are written over it. A missing or unreadable file is not.
bool SaveFileShouldBeSetAside(SaveReadOutcome outcome);

// Whether the file on disk may hold good records that could not be read this time, so the
// exit must not write over it.
bool SaveFileMustBeKept(SaveReadOutcome outcome);
