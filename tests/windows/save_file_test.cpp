// The save file and the car data on the real file system and resources, under Wine: every
// case runs in a fresh temporary working directory.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/debug_log.h"
#include "data/car_data_loader.h"
#include "data/car_table.h"
#include "data/save_file.h"

namespace {

std::vector<uint8_t> ReadBytes(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const char* path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

std::string ReadLog() {
  const std::vector<uint8_t> bytes = ReadBytes("vorta.log");
  return std::string(bytes.begin(), bytes.end());
}

void RemoveTree(const std::string& dir) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = dir + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(dir.c_str());
}

class SaveFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    char here[MAX_PATH];
    GetCurrentDirectoryA(sizeof here, here);
    previous_dir_ = here;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    dir_ = std::string(temp) + "vorta_save_test_" + std::to_string(GetCurrentProcessId()) + "_" +
           std::to_string(counter_++);
    RemoveTree(dir_);
    ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr));
    ASSERT_TRUE(SetCurrentDirectoryA(dir_.c_str()));

    debug_mode = 1;
    ASSERT_TRUE(LoadCarData());
    ForgetRecords();
    random_state = 1;
  }

  void TearDown() override {
    ReleaseCarData();
    ForgetRecords();
    debug_mode = 0;
    SetCurrentDirectoryA(previous_dir_.c_str());
    RemoveTree(dir_);
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

  std::string dir_;
  std::string previous_dir_;
  static int counter_;
};

int SaveFileOnDisk::counter_ = 0;

}  // namespace

TEST_F(SaveFileOnDisk, CarDataLoadsFromTheExecutableAndIsReleased) {
  EXPECT_EQ(car_count, 16);
  ASSERT_EQ(car_table.size(), 16u);
  EXPECT_EQ(car_table[5].id, 15);
  EXPECT_EQ(car_table[4].torque_curve[7], 54.5);
  ReleaseCarData();
  EXPECT_EQ(car_count, 0);
  EXPECT_TRUE(car_table.empty());
  ReleaseCarData();  // a second release is harmless
  EXPECT_EQ(car_count, 0);
}

TEST_F(SaveFileOnDisk, NoFileGivesTheDefaultsAndSetsNothingAside) {
  ReadSaveFile();
  EXPECT_TRUE(RecordsAreLoaded());
  EXPECT_STREQ(record_data.player_name, "AAAAAAAA");
  EXPECT_STREQ(record_data.tables[0][kTimeTable][0].car_name, car_table[9].name);
  EXPECT_STREQ(record_data.tables[1][kSpeedTable][4].car_name, car_table[4].name);
  EXPECT_EQ(record_data.tables[1][kTimeTable][4].value, 27.2f);
  EXPECT_FALSE(Exists("vorta.sav.bad"));
  const std::string log = ReadLog();
  // The log is a text file: its line ends are "\r\n" on Windows, so only the texts count.
  const size_t open = log.find("セーブデータをオープンできません。");
  const size_t reset = log.find("セーブデータを初期化します。");
  EXPECT_NE(open, std::string::npos) << log;
  EXPECT_NE(reset, std::string::npos) << log;
  EXPECT_LT(open, reset);
}

TEST_F(SaveFileOnDisk, WrittenRecordsReadBackUnchanged) {
  const std::vector<uint8_t> file = SavePlayedGame();
  EXPECT_EQ(file.size(), 1098u);
  EXPECT_FALSE(Exists("vorta.sav.tmp"));
  // The records in memory stay plain after the write.
  EXPECT_STREQ(record_data.player_name, "RUNNER");
  const RecordData written = record_data;

  const size_t log_before = ReadLog().size();
  ForgetRecords();
  ReadSaveFile();
  EXPECT_EQ(std::memcmp(&record_data, &written, sizeof written), 0);
  EXPECT_EQ(ReadLog().size(), log_before) << "reading a good file logs nothing";
}

TEST_F(SaveFileOnDisk, DamagedFileIsSetAsideBeforeTheDefaults) {
  std::vector<uint8_t> file = SavePlayedGame();
  file[600] ^= 0x10;
  WriteBytes("vorta.sav", file);
  WriteBytes("vorta.sav.bad", {1, 2, 3});  // an older one is replaced

  ForgetRecords();
  random_state = 1;
  ReadSaveFile();
  EXPECT_EQ(record_data.progress_flags, 0u);
  EXPECT_STREQ(record_data.player_name, "AAAAAAAA");
  EXPECT_FALSE(Exists("vorta.sav"));
  EXPECT_EQ(ReadBytes("vorta.sav.bad"), file);
  EXPECT_NE(ReadLog().find("セーブデータが改変されている可能性があります。"), std::string::npos);
}

TEST_F(SaveFileOnDisk, ForeignOldAndShortFilesAreSetAside) {
  const std::vector<uint8_t> good = SavePlayedGame();
  std::vector<uint8_t> old_version = good;
  old_version[38] = 74;
  std::vector<uint8_t> foreign = good;
  foreign[0] = 'x';
  const std::vector<uint8_t> short_file(good.begin(), good.begin() + 500);
  for (const auto& file : {old_version, foreign, short_file}) {
    WriteBytes("vorta.sav", file);
    ForgetRecords();
    ReadSaveFile();
    EXPECT_EQ(record_data.progress_flags, 0u);
    EXPECT_FALSE(Exists("vorta.sav"));
    EXPECT_EQ(ReadBytes("vorta.sav.bad"), file);
  }
}

TEST_F(SaveFileOnDisk, FailedWriteLeavesTheOldFileAsItWas) {
  const std::vector<uint8_t> before = SavePlayedGame();
  // Something in the way of the temporary file: the new file cannot be made.
  ASSERT_TRUE(CreateDirectoryA("vorta.sav.tmp", nullptr));
  std::strcpy(record_data.player_name, "CHANGED");
  EXPECT_FALSE(WriteSaveFile());
  EXPECT_EQ(ReadBytes("vorta.sav"), before);
  EXPECT_STREQ(record_data.player_name, "CHANGED");
}

TEST_F(SaveFileOnDisk, RecordsThatWereNeverReadAreNotWritten) {
  const std::vector<uint8_t> before = SavePlayedGame();
  ForgetRecords();  // as after a start-up that failed before the save file was read
  EXPECT_FALSE(WriteSaveFile());
  EXPECT_EQ(ReadBytes("vorta.sav"), before);
  EXPECT_FALSE(Exists("vorta.sav.tmp"));
}

TEST_F(SaveFileOnDisk, AnUnreadableFileIsNotSetAside) {
  SavePlayedGame();
  // Held open without sharing by another program: it cannot be opened, but it is not bad.
  HANDLE held = CreateFileA("vorta.sav", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ForgetRecords();
  ReadSaveFile();
  CloseHandle(held);
  EXPECT_TRUE(RecordsAreLoaded());
  EXPECT_STREQ(record_data.player_name, "AAAAAAAA");
  EXPECT_TRUE(Exists("vorta.sav"));
  EXPECT_FALSE(Exists("vorta.sav.bad"));
}
