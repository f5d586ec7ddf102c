#include "race/replay_win32.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "app/debug_log.h"
#include "data/car_table.h"
#include "race/car_physics.h"
#include "race/race_state.h"
#include "race/replay_file.h"

GhostRun ghost_run{};

namespace {

// Each some 140 KB: kept for the whole program rather than allocated during a race.
Replay recording;
Replay best_run;
uint8_t file_bytes[kReplayFileMaxBytes + 1];

ReplayRecorder recorder = {&recording, false};

// Which best run best_run holds (or failed to hold): car index and course.
struct BestKey {
  int32_t car_index = -1;
  int course = -1;
  bool operator==(const BestKey& other) const {
    return car_index == other.car_index && course == other.course;
  }
};
BestKey best_key;
// The run that just finished beat best_run: it takes best_run's place at the next reset.
bool recording_is_best = false;

BestKey CurrentKey(uint8_t raceMode) { return {current_car_index, CourseIndex(raceMode)}; }

bool CarIsInTable(int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < car_table.size();
}

ReplayReadOutcome ReadReplayFile(const std::string& name, Replay& out) {
  HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
               ? ReplayReadOutcome::kNoFile
               : ReplayReadOutcome::kReadError;
  }
  // One byte more than the longest file, so that a longer one is seen to be too long.
  DWORD total = 0;
  bool read = true;
  while (total < sizeof file_bytes) {
    DWORD got = 0;
    if (!ReadFile(file, file_bytes + total, sizeof file_bytes - total, &got, nullptr)) {
      read = false;
      break;
    }
    if (got == 0) break;
    total += got;
  }
  CloseHandle(file);
  if (!read) return ReplayReadOutcome::kReadError;
  return DecodeReplay(file_bytes, total, out);
}

// The best run of the key's car on its course, from its file, made the ghost.
void LoadBestRun(const BestKey& key) {
  ghost_run.ready = false;
  if (!CarIsInTable(key.car_index)) return;
  const std::string name = ReplayFileName(true, key.car_index, key.course);
  ReplayReadOutcome outcome = ReadReplayFile(name, best_run);
  const CarSpec& car = car_table[key.car_index];
  if (outcome == ReplayReadOutcome::kLoaded &&
      (best_run.header.car_index != key.car_index || best_run.header.course != key.course ||
       !ReplayIsOfCar(best_run.header, car))) {
    outcome = ReplayReadOutcome::kOtherCarData;
  }
  if (outcome == ReplayReadOutcome::kLoaded &&
      !PrepareGhost(ghost_run, best_run, car, TachoScaleFor(car))) {
    outcome = ReplayReadOutcome::kDoesNotReplay;
  }
  // A missing file is the usual case for a car not yet raced: nothing to say.
  if (outcome != ReplayReadOutcome::kLoaded && outcome != ReplayReadOutcome::kNoFile) {
    WriteLog("%s: %s", name.c_str(), ReplayReadOutcomeText(outcome));
  }
}

// The run just recorded, which beat the best, made the ghost without reading it back.
void TakeRecordingAsBest() {
  const ReplayHeader& header = recording.header;
  best_run.header = header;
  std::memcpy(best_run.frames, recording.frames, sizeof(ReplayFrame) * header.frame_count);
  const CarSpec& car = car_table[header.car_index];
  if (!PrepareGhost(ghost_run, best_run, car, TachoScaleFor(car))) {
    WriteLog("%s", ReplayReadOutcomeText(ReplayReadOutcome::kDoesNotReplay));
  }
}

bool WriteAll(HANDLE file, const uint8_t* bytes, size_t size) {
  size_t done = 0;
  while (done < size) {
    DWORD wrote = 0;
    if (!WriteFile(file, bytes + done, static_cast<DWORD>(size - done), &wrote, nullptr) ||
        wrote == 0) {
      return false;
    }
    done += wrote;
  }
  return true;
}

// Written beside the old file and renamed over it, so a failure leaves the old one whole. Not
// flushed to the disk: this runs on a race frame, and a replay lost to a power cut is refused
// when read and written afresh by the next finish.
bool WriteReplayFile(const std::string& name, const uint8_t* bytes, size_t size) {
  const std::string temporary = name + ".tmp";
  HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  bool written = file != INVALID_HANDLE_VALUE && WriteAll(file, bytes, size);
  if (file != INVALID_HANDLE_VALUE && !CloseHandle(file)) written = false;
  if (written) {
    written = MoveFileExA(temporary.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
  }
  if (!written) {
    WriteLog("リプレイ %s を書き込めません (エラー %lu)。\n", name.c_str(),
             static_cast<unsigned long>(GetLastError()));
    DeleteFileA(temporary.c_str());
  }
  return written;
}

}  // namespace

void PrepareRaceReplays(uint8_t raceMode) {
  const BestKey key = CurrentKey(raceMode);
  if (recording_is_best) {
    recording_is_best = false;
    const BestKey recorded = {recording.header.car_index, recording.header.course};
    if (recorded == key) {
      TakeRecordingAsBest();
      best_key = key;
    }
  }
  if (!(best_key == key)) {
    LoadBestRun(key);
    best_key = key;
  }
  ResetGhost(ghost_run);
  StartReplayRecording(recorder);
}

void RecordRaceFrame(const RaceFrameInput& input) {
  RecordReplayFrame(recorder, input, car_model_state);
}

void AdvanceGhost(uint32_t nowMs) { FollowRaceClock(ghost_run, race_state, nowMs); }

void SaveFinishedRun(const LocalDateTime& finishedAt) {
  if (!FinishReplayRecording(recorder, race_state, current_car, current_car_index, finishedAt)) {
    WriteLog("この走行はリプレイに残せません (%lu フレーム)。\n",
             static_cast<unsigned long>(recording.header.frame_count));
    return;
  }
  const size_t size = EncodeReplay(recording, file_bytes, sizeof file_bytes);
  if (size == 0) {
    WriteLog("この走行はリプレイに残せません (フレームの間隔が長すぎます)。\n");
    return;
  }
  if (!CreateDirectoryA(kReplayFolder, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    WriteLog("リプレイのフォルダ %s を作れません (エラー %lu)。\n", kReplayFolder,
             static_cast<unsigned long>(GetLastError()));
    return;
  }
  const ReplayHeader& header = recording.header;
  WriteReplayFile(ReplayFileName(false, header.car_index, header.course), file_bytes, size);
  // The ghost is this car's best on this course whenever one is loaded (PrepareRaceReplays).
  // Even when its file cannot be written, the faster run is the ghost from the next race on.
  recording_is_best = !ghost_run.ready || header.race_time_ms < best_run.header.race_time_ms;
  if (recording_is_best) {
    WriteReplayFile(ReplayFileName(true, header.car_index, header.course), file_bytes, size);
  }
}
