#include "screens/record_lines.h"

#include <cstdio>

namespace {
constexpr int32_t kLabelHeight = 32;  // every label and the font cells

PixelRect At(int32_t x, int32_t y, int32_t width, int32_t height) {
  return {x, y, x + width, y + height};
}

// Line i's value starts at (130 + 30 i, 112 + 70 i).
int32_t LineX(int32_t line) { return 130 + 30 * line; }
int32_t LineY(int32_t line) { return 112 + 70 * line; }
}  // namespace

PixelRect PlaceLabelSource(int32_t place) { return At(48 * place, 0, 48, kLabelHeight); }
PixelRect TableLabelSource(int32_t table) { return At(240 + 96 * table, 0, 96, kLabelHeight); }
PixelRect CourseLabelSource(int32_t course) { return At(96 * course, 80, 96, kLabelHeight); }
PixelRect HeadingSource() { return At(0, 32, 256, 48); }
PixelRect NewMarkSource() { return At(256, 32, 64, kLabelHeight); }
PixelRect ArrowsSource() { return At(192, 80, 160, kLabelHeight); }
PixelRect CharacterCursorSource() { return At(352, 80, kRecordCellWidth, kLabelHeight); }

PixelRect HeadingDest() { return At(192, 0, 256, 48); }
PixelRect CourseLabelDest() { return At(272, 48, 96, kLabelHeight); }
PixelRect TableLabelDest() { return At(272, 80, 96, kLabelHeight); }

RecordLine RecordLineLayout(int32_t line, size_t carNameLength) {
  const int32_t x = LineX(line);
  const int32_t y = LineY(line);
  RecordLine layout;
  layout.place_label = {x - 64, y, x - 16, y + kLabelHeight};
  layout.car_name_x = x + (18 - static_cast<int32_t>(carNameLength)) * 8;
  layout.car_name_y = y + kLabelHeight;
  layout.value_x = x;
  layout.value_y = y;
  layout.player_x = x + 220;
  layout.player_y = y;
  return layout;
}

void FormatRecordValue(int32_t table, float value, char (&text)[kRecordValueTextSize]) {
  std::snprintf(text, sizeof text, table == 0 ? "%6.3fsec" : "%5.1fkm/h",
                static_cast<double>(value));
}

bool ArrowsShown(uint32_t nowMs) { return nowMs % 1000 < 500; }

PixelRect ArrowsDest(int32_t recordsRow) { return At(240, 48 + 32 * recordsRow, 160, kLabelHeight); }

PixelRect CharacterCursorDest(int32_t line, int32_t nameCursor) {
  return At(350 + 30 * line + kRecordCellWidth * nameCursor, LineY(line), kRecordCellWidth,
            kLabelHeight);
}

PixelRect NewMarkDest(int32_t line) { return At(2 + 30 * line, LineY(line), 64, kLabelHeight); }
