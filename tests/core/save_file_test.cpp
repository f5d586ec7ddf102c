// The save file's checksum, inversion, encoding and every test a file must pass.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

#include "data/save_file.h"
#include "data/save_file_format.h"

namespace {

// A record block with something in every part of it.
RecordData SampleRecords() {
  RecordData records{};
  float value = 12.25f;
  for (auto& course : records.tables) {
    for (auto& table : course) {
      for (RankingEntry& entry : table) {
        entry.value = value;
        value += 0.75f;
        std::memcpy(entry.player_name, "PLAYER", 7);
        std::memcpy(entry.car_name, "ARATA \xB6\xBB\xDE\xD0", 11);
        entry.fps_at_signal = 59;
        entry.fps_at_finish = 61;
      }
    }
  }
  records.tables[1][kSpeedTable][2].new_entry = 1;
  std::memcpy(records.player_name, "PLAYER", 7);
  records.progress_flags = kUnlockCar0 | kUnlockCar1;
  return records;
}

std::vector<uint8_t> Encoded(const RecordData& records) {
  uint8_t file[kSaveFileBytes];
  EncodeSaveFile(records, file);
  return std::vector<uint8_t>(file, file + sizeof file);
}

// Rewrites the checksum so that a deliberately changed body still passes it.
void Reseal(std::vector<uint8_t>& file) {
  RecordData body;
  std::memcpy(&body, file.data() + kSaveHeaderBytes, sizeof body);
  InvertWords(&body, sizeof body);
  const uint16_t sum = ChecksumWords(&body, sizeof body);
  file[40] = static_cast<uint8_t>(sum & 0xFF);
  file[41] = static_cast<uint8_t>(sum >> 8);
}

}  // namespace

TEST(ChecksumWords, OnesComplementSumOfLittleEndianWordsWithoutFinalComplement) {
  const std::pair<std::vector<uint8_t>, uint16_t> cases[] = {
      {{0x01, 0x02, 0x03, 0x04}, 0x0604},  // 0x0201 + 0x0403: byte order and pairing
      {{0xFF, 0xFF, 0xFF, 0xFF}, 0xFFFF},  // 0x1FFFE folds to 0xFFFF, never to 0
      {{0xFF, 0xFF, 0x02, 0x00}, 0x0002},  // the carry goes round: 0x10001 -> 0x0002
      {{0x01, 0x02, 0x03}, 0x0204},        // an odd last byte counts as a low byte
      {std::vector<uint8_t>(1056, 0xFF), 0xFFFF},  // 528 x 0xFFFF
  };
  for (const auto& [bytes, sum] : cases) {
    EXPECT_EQ(ChecksumWords(bytes.data(), bytes.size()), sum) << bytes.size();
  }
}

TEST(EncodeSaveFile, HeaderLayoutAndInvertedBody) {
  const std::vector<uint8_t> file = Encoded(RecordData{});
  ASSERT_EQ(file.size(), 1098u);
  EXPECT_EQ(std::memcmp(file.data(), "vorta ~Mark Q~\0", 15), 0);
  for (size_t i = 15; i < 38; ++i) EXPECT_EQ(file[i], 0) << i;
  // Version 75, then the checksum: an all-zero block sums to 0 ...
  EXPECT_EQ(std::vector<uint8_t>(file.begin() + 38, file.begin() + 42),
            (std::vector<uint8_t>{75, 0, 0, 0}));
  for (size_t i = 42; i < file.size(); ++i) EXPECT_EQ(file[i], 0xFF) << i;  // ... stored as 0xFF
}

TEST(DecodeSaveFile, OneFlippedBitAnywhereIsRefused) {
  const std::vector<uint8_t> good = Encoded(SampleRecords());
  RecordData read{};
  ASSERT_EQ(DecodeSaveFile(good.data(), good.size(), read), SaveReadOutcome::kLoaded);
  const RecordData sample = SampleRecords();
  EXPECT_EQ(std::memcmp(&read, &sample, sizeof read), 0) << "the records come back whole";
  for (size_t byte = 0; byte < good.size(); ++byte) {
    for (int bit = 0; bit < 8; ++bit) {
      std::vector<uint8_t> file = good;
      file[byte] ^= static_cast<uint8_t>(1 << bit);
      RecordData decoded{};
      decoded.progress_flags = 0xDEAD;
      const SaveReadOutcome outcome = DecodeSaveFile(file.data(), file.size(), decoded);
      const bool title_tail = byte >= 15 && byte < 36;  // after the title's NUL: not compared
      if (title_tail) {
        EXPECT_EQ(outcome, SaveReadOutcome::kLoaded) << byte;
        continue;
      }
      ASSERT_NE(outcome, SaveReadOutcome::kLoaded) << byte << ":" << bit;
      EXPECT_EQ(decoded.progress_flags, 0xDEADu) << "records changed by a refused file";
      if (byte < 15) EXPECT_EQ(outcome, SaveReadOutcome::kForeignTitle) << byte;
      else if (byte < 40) EXPECT_EQ(outcome, SaveReadOutcome::kWrongVersion) << byte;
      else EXPECT_EQ(outcome, SaveReadOutcome::kAltered) << byte << ":" << bit;
    }
  }
}

TEST(DecodeSaveFile, SealedFilesWithUnsafeContentsAreRefused) {
  RecordData decoded{};
  const size_t entry0 = kSaveHeaderBytes;  // course 0 time table, first entry

  // A car name without its NUL, a player name of 9 characters, the record block's player_name.
  const std::pair<size_t, size_t> unterminated[] = {
      {entry0 + 14, 28}, {entry0 + 4, 9}, {kSaveHeaderBytes + 1040, 12}};  // at, count
  std::vector<uint8_t> file;
  for (const auto& [at, count] : unterminated) {
    file = Encoded(SampleRecords());
    std::memset(file.data() + at, ~'Z' & 0xFF, count);
    Reseal(file);
    EXPECT_EQ(DecodeSaveFile(file.data(), file.size(), decoded), SaveReadOutcome::kBadContents)
        << at;
  }

  for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
    RecordData records = SampleRecords();
    records.tables[1][kTimeTable][4].value = bad;
    file = Encoded(records);
    EXPECT_EQ(DecodeSaveFile(file.data(), file.size(), decoded), SaveReadOutcome::kBadContents);
  }

  // Eight characters with the rest zero is the longest sound player name.
  RecordData records = SampleRecords();
  std::memcpy(records.player_name, "ABCDEFGH", 8);
  std::memcpy(records.tables[0][0][0].player_name, "ABCDEFGH", 8);
  std::memset(records.tables[0][0][0].car_name, 'C', 27);
  file = Encoded(records);
  EXPECT_EQ(DecodeSaveFile(file.data(), file.size(), decoded), SaveReadOutcome::kLoaded);
}

// What a reading means for the records and for the file on disk.
TEST(SaveReadOutcome, DefaultsReplaceAnyFileNotLoadedAndOnlyAnUnreadableOneIsKept) {
  using O = SaveReadOutcome;
  // An outcome, whether the file is set aside, whether the records may be written.
  const std::tuple<O, bool, bool> cases[] = {
      {O::kLoaded, false, true},     {O::kNoFile, false, true},      {O::kUnopenable, false, false},
      {O::kReadError, false, false}, {O::kForeignTitle, true, true}, {O::kWrongVersion, true, true},
      {O::kShort, true, true},       {O::kAltered, true, true},      {O::kBadContents, true, true}};
  EXPECT_FALSE(RecordsMayBeWritten()) << "at program start, before the file is read";
  const RecordData decoded = SampleRecords();
  for (const auto& [outcome, setAside, mayWrite] : cases) {
    ForgetRecords();
    EXPECT_FALSE(RecordsAreLoaded());
    AdoptSaveReadOutcome(outcome, decoded);
    EXPECT_TRUE(RecordsAreLoaded());
    EXPECT_STREQ(record_data.player_name, outcome == O::kLoaded ? "PLAYER" : "AAAAAAAA");
    EXPECT_EQ(SaveFileShouldBeSetAside(outcome), setAside) << int(outcome);
    EXPECT_EQ(RecordsMayBeWritten(), mayWrite) << int(outcome);
  }
  ForgetRecords();
}
