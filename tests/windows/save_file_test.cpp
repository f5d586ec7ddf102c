// The save file and the car data on the real file system and resources, under Wine: every
// case runs in a fresh temporary working directory.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/debug_log.h"
#include "app/debug_log_win32.h"
#include "data/car_data_loader.h"
#include "data/save_file.h"
#include "windows_test_support.h"

namespace {
using namespace windows_test;

void WriteBytes(const char* path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary) << std::string(bytes.begin(), bytes.end());
}

bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

class SaveFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    StartDebugLog();
    ASSERT_TRUE(LoadCarData());
    ForgetRecords();
    random_state = 1;
  }

  void TearDown() override {
    ReleaseCarData();
    ForgetRecords();
    debug_mode = 0;
  }

  // Writes a file with some records of a played game, and returns its bytes.
  std::vector<uint8_t> SavePlayedGame() {
    ReadSaveFile();
    record_data.progress_flags = kUnlockCar0 | kUnlockCar1;
    std::strcpy(record_data.player_name, "RUNNER");
    record_data.tables[0][kTimeTable][0].value = 11.5f;
    record_data.tables[0][kTimeTable][0].fps_at_finish = 60;
    EXPECT_TRUE(WriteSaveFile());
    return ReadBytes("vorta.sav");
  }

  ScratchFolder folder_;
};

}  // namespace

TEST_F(SaveFileOnDisk, NoFileGivesTheDefaultsAndWrittenRecordsReadBackUnchanged) {
  ReadSaveFile();
  EXPECT_STREQ(record_data.player_name, "AAAAAAAA");
  const std::wstring log = ReadLog();
  const size_t open = log.find(L"セーブデータをオープンできません。\n");
  EXPECT_NE(open, std::wstring::npos) << log;
  EXPECT_NE(log.find(L"セーブデータを初期化します。\n", open), std::wstring::npos) << log;

  SavePlayedGame();
  EXPECT_FALSE(Exists("vorta.sav.tmp"));
  const RecordData written = record_data;
  const size_t log_before = ReadLog().size();
  ForgetRecords();
  ReadSaveFile();
  EXPECT_EQ(std::memcmp(&record_data, &written, sizeof written), 0);
  EXPECT_EQ(ReadLog().size(), log_before) << "reading a good file logs nothing";
}

TEST_F(SaveFileOnDisk, BadFilesAreSetAsideBeforeTheDefaults) {
  const std::vector<uint8_t> good = SavePlayedGame();
  struct Case {
    size_t keep;  // bytes of the good file kept
    size_t at;    // and one of them changed
    uint8_t value;
    const wchar_t* logged;
  };
  const Case cases[] = {
      {good.size(), 600, static_cast<uint8_t>(good[600] ^ 0x10), L"改変されている可能性があります"},
      {good.size(), 38, 74, L"バージョンが異なります"},
      {good.size(), 0, 'x', L"VORTA のセーブデータではありません"},
      {500, 0, good[0], L"途中で切れています"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> file(good.begin(), good.begin() + static_cast<ptrdiff_t>(c.keep));
    file[c.at] = c.value;
    WriteBytes("vorta.sav", file);
    WriteBytes("vorta.sav.bad", {1, 2, 3});  // an older one is replaced
    ForgetRecords();
    const size_t logged_before = ReadLog().size();
    ReadSaveFile();
    EXPECT_TRUE(Contains(ReadLog().substr(logged_before), c.logged)) << c.logged;
    EXPECT_STREQ(record_data.player_name, "AAAAAAAA") << c.logged;
    EXPECT_FALSE(Exists("vorta.sav")) << c.logged;
    EXPECT_EQ(ReadBytes("vorta.sav.bad"), file) << c.logged;
  }
}

TEST_F(SaveFileOnDisk, FailedOrRefusedWriteLeavesTheOldFileAsItWas) {
  const std::vector<uint8_t> before = SavePlayedGame();
  ForgetRecords();  // as after a start-up that failed before the save file was read
  EXPECT_FALSE(WriteSaveFile());
  EXPECT_EQ(ReadBytes("vorta.sav"), before);

  ReadSaveFile();
  // Something in the way of the temporary file: the new file cannot be made.
  ASSERT_TRUE(CreateDirectoryA("vorta.sav.tmp", nullptr));
  std::strcpy(record_data.player_name, "CHANGED");
  EXPECT_FALSE(WriteSaveFile());
  EXPECT_EQ(ReadBytes("vorta.sav"), before);
}
