// Where the record screen's pieces come from on the RECORD sheet and where they go on the
// 640x480 picture. Portable: the Windows side only turns these rectangles into blits.
//
// The RECORD sheet, 432 x 112:
//
//   source rectangle            piece
//   (48 i, 0) 48 x 32           place label 1st..5th, i = 0..4
//   (240 + 96 t, 0) 96 x 32     table label: t = 0 time, 1 top speed
//   (0, 32) 256 x 48            heading Best Record
//   (256, 32) 64 x 32           New mark
//   (96 m, 80) 96 x 32          course label: m = 0 400 m, 1 1000 m
//   (192, 80) 160 x 32          the blinking arrows « » around a label
//   (352, 80) 16 x 32           character cursor
#pragma once

#include <cstddef>
#include <cstdint>

#include "display/glyph_layout.h"

constexpr int32_t kRecordCellWidth = 16;  // pixels per character of the 32-pixel fonts
constexpr size_t kRecordValueTextSize = 32;

PixelRect PlaceLabelSource(int32_t place);
PixelRect TableLabelSource(int32_t table);
PixelRect CourseLabelSource(int32_t course);
PixelRect HeadingSource();
PixelRect NewMarkSource();
PixelRect ArrowsSource();
PixelRect CharacterCursorSource();

PixelRect HeadingDest();
PixelRect CourseLabelDest();
PixelRect TableLabelDest();

// One line of a table, i = 0..4: the lines step right as they go down.
struct RecordLine {
  PixelRect place_label;
  int32_t car_name_x, car_name_y;  // the name centred on value_x + 144
  int32_t value_x, value_y;        // the ranked value, drawn with the number text
  int32_t player_x, player_y;
};
RecordLine RecordLineLayout(int32_t line, size_t carNameLength);

// "%6.3fsec" for a time table, "%5.1fkm/h" for a top-speed table.
void FormatRecordValue(int32_t table, float value, char (&text)[kRecordValueTextSize]);

// The arrows frame the selected line's label and blink once a second.
bool ArrowsShown(uint32_t nowMs);
PixelRect ArrowsDest(int32_t recordsRow);

// Over character `nameCursor` of the name on line `line`, and the New mark left of the line.
PixelRect CharacterCursorDest(int32_t line, int32_t nameCursor);
PixelRect NewMarkDest(int32_t line);
