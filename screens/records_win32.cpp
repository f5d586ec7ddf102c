#include "screens/records_win32.h"

#include <cstring>

#include "app/frame_timer.h"
#include "app/scene_frame_win32.h"
#include "app/scene_state.h"
#include "app/shell_win32.h"
#include "data/record_data.h"
#include "display/bitmap_surface_win32.h"
#include "display/display_win32.h"
#include "display/drawing_win32.h"
#include "input/input_win32.h"
#include "input/key_state.h"
#include "race/race_state.h"
#include "screens/name_entry.h"
#include "screens/record_lines.h"
#include "screens/record_viewer.h"
#include "screens/screen_art_win32.h"

namespace {
IDirectDrawSurface4* record_sheet = nullptr;  // the RECORD picture

void BlitSheet(const PixelRect& source, const PixelRect& destination) {
  if (record_sheet == nullptr) return;
  BlitToBackBuffer(record_sheet, ToRect(source), ToRect(destination), DDBLT_KEYSRC);
}

int32_t Course() { return race_mode < kCourseCount ? race_mode : 0; }
int32_t Table() { return result_table == kSpeedTable ? kSpeedTable : kTimeTable; }

void DrawTableLines() {
  const RankingEntry* entries = record_data.tables[Course()][Table()];
  for (int32_t i = 0; i < kRankingEntries; ++i) {
    const RankingEntry& entry = entries[i];
    const RecordLine line =
        RecordLineLayout(i, strnlen(entry.car_name, sizeof entry.car_name - 1));
    BlitSheet(PlaceLabelSource(i), line.place_label);
    DrawBitmapText(lpDDSFontDFPOP32CREAM, entry.car_name, sizeof entry.car_name - 1,
                   POINT{line.car_name_x, line.car_name_y}, kRecordCellWidth, DDBLT_KEYSRC);
    char value[kRecordValueTextSize];
    FormatRecordValue(Table(), entry.value, value);
    POINT at = {line.value_x, line.value_y};
    DrawNumberText(lpDDSFontDFPOP32ORANGE, lpDDSFontDFPOP32CREAM, value, sizeof value, at,
                   kRecordCellWidth, DDBLT_KEYSRC);
    DrawBitmapText(lpDDSFontDFPOP32ORANGE, entry.player_name, kPlayerNameMaxChars,
                   POINT{line.player_x, line.player_y}, kRecordCellWidth, DDBLT_KEYSRC);
  }
}

void DrawRecordScreen(bool naming) {
  FillBackBuffer(display_context.clear_rect, PackColor(0, 0, 0));
  BlitSheet(HeadingSource(), HeadingDest());
  BlitSheet(CourseLabelSource(Course()), CourseLabelDest());
  BlitSheet(TableLabelSource(Table()), TableLabelDest());
  DrawTableLines();
  if (!naming) {
    if (ArrowsShown(ReadTimer())) BlitSheet(ArrowsSource(), ArrowsDest(record_screen.records_row));
    return;
  }
  const int32_t line = NamedLine(race_state.time_rank, race_state.speed_rank);
  if (line < 0) return;
  BlitSheet(CharacterCursorSource(), CharacterCursorDest(line, record_screen.name_cursor));
  BlitSheet(NewMarkSource(), NewMarkDest(line));
}

void EndRecordFrame(bool naming) {
  DrawRecordScreen(naming);
  DrawFrameRate();
  PresentFrame();
}
}  // namespace

void EnterRecords() {
  result_table = kTimeTable;
  record_screen.records_row = 0;
  ReleaseSceneSurfaces();
  LoadSmallFont();
  LoadRecordArt();
  FinishSceneEntry(SCENE_RECORDS);
}

void EnterResult() {
  EnterNameEntry(record_screen);
  ReleaseSceneSurfaces();
  LoadSmallFont();
  LoadRecordArt();
  FinishSceneEntry(SCENE_RESULT);
}

void RecordsFrame() {
  if (!RecoverLostPictures()) return;
  if (ReadFrameInput()) {
    StepRecordViewer(key_state, previous_key_state, record_screen, race_mode, result_table,
                     scene_state);
    RememberKeyState();
  }
  EndRecordFrame(false);
}

void ResultFrame() {
  if (!RecoverLostPictures()) return;
  RankingEntry* entry =
      EditedEntry(record_data, race_mode, race_state.time_rank, race_state.speed_rank);
  char* name = entry != nullptr ? entry->player_name : nullptr;
  // Typing goes by the thread's keyboard state, so it works even when DirectInput does not.
  TypeNameCharacter(record_screen, name, ReadTypedCharacter());
  if (ReadFrameInput()) {
    StepNameEntry(key_state, previous_key_state, ReadTimer(), record_screen, record_data, name,
                  race_mode, result_table, RunPlaces{race_state.time_rank, race_state.speed_rank},
                  scene_state);
    RememberKeyState();
  }
  EndRecordFrame(true);
}

void LoadRecordArt() {
  LoadKeyedPicture(record_sheet, "RECORD", "レコードフォント読み込み失敗",
                   "カラー・キーの設定失敗（Record）");
  LoadLargeFonts();
}

void ReleaseRecordArt() { ReleaseInterface(record_sheet); }
