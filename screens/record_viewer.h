// The record screen's own state and the viewer's key handling (the screen opened from the
// title). Portable: the Windows side hands in the keys and draws.
#pragma once

#include <cstdint>

// Kept between frames for as long as the program runs; the entry states reset parts of it.
struct RecordScreenState {
  uint8_t records_row = 0;       // viewer: 0 = course line, 1 = table line
  uint8_t name_cursor = 0;       // name entry: character being edited, 0..7
  int32_t last_typed_char = 32;  // what the typed-character read gave last time
  uint32_t up_repeat_at = 0;     // ms of ReadTimer; 0 while Up is not held
  uint32_t down_repeat_at = 0;   // ms of ReadTimer; 0 while Down is not held
};

extern RecordScreenState record_screen;

// Both lines switch between two values, so Left and Right each flip the selected one and,
// pressed together, cancel. Space leaves for the title on the 400 m course; the other keys
// of the same frame are still handled.
void StepRecordViewer(const uint8_t* keys, const uint8_t* previous, RecordScreenState& screen,
                      uint8_t& raceMode, int32_t& resultTable, int32_t& sceneState);
