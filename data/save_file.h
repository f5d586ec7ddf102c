// Reading the records at start-up and writing them at exit (.\vorta.sav).
#pragma once

#include "data/record_data.h"
#include "data/save_file_format.h"

constexpr char kSaveFileName[] = ".\\vorta.sav";
constexpr char kSaveFileTempName[] = ".\\vorta.sav.tmp";
constexpr char kSaveFileBadName[] = ".\\vorta.sav.bad";

// Fills record_data from the save file, or with the defaults when the file is missing or
// fails a test; a damaged or foreign file is first renamed to "vorta.sav.bad", and one that
// is there but cannot be opened or read is left alone and not written over at exit. Always
// leaves valid records behind (save_file_win32.cpp).
void ReadSaveFile();

// Writes record_data to the save file; true on success. The old file is replaced in one
// step and only by a complete new one, so a failure leaves it as it was. Refuses (false)
// while the records were never read, so a start-up that failed early cannot overwrite the
// player's file with empty tables (save_file_win32.cpp).
bool WriteSaveFile();

// Whether record_data holds records: read from the file or built as defaults.
bool RecordsAreLoaded();

// Whether the exit may write the records: not when the file was there but could not be
// opened or read, for it may hold the player's records.
bool RecordsMayBeWritten();

// The end of ReadSaveFile, apart from the file: keeps the decoded records when the outcome
// is kLoaded and builds the defaults otherwise; from then on the records count as loaded.
void AdoptSaveReadOutcome(SaveReadOutcome outcome, const RecordData& decoded);

// Forgets that the records were loaded (start of a new game session in tests).
void ForgetRecords();
