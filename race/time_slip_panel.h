// The time-slip panel: where it stands on the race picture and every cell it is built from,
// out of the "TIMESLIP" picture. It sits over the road left of the finish banner, below the
// instruments and above the car's name. Portable: the Windows side only blits the cells.
//
// The picture holds the panel's plate and the game's 8 x 16 font twice, in the instruments'
// cream and orange: labels and headings in cream, figures in orange with a cream point, as the
// dial style sets its numbers.
#pragma once

#include <cstdint>
#include <vector>

#include "race/race_instruments.h"
#include "race/time_slip.h"

// --- The "TIMESLIP" picture ------------------------------------------------------------
constexpr int32_t kSlipPictureWidth = 400, kSlipPictureHeight = 232;  // pixels
// Two plates side by side, as wide as the panel and as tall as it is on each course: the 1000 m
// course's at the left, the 400 m course's beside it. Right of them the ghost's gap panel's
// two plates, in the same order.
constexpr int32_t kSlipPanelWidth = 144, kSlipPlatesHeight = 168;
constexpr int32_t kGapPanelWidth = 56;
constexpr int32_t kGapPlatesLeft = 2 * kSlipPanelWidth;
// Two 8 x 16 font sheets (48 cells a row, codes 32..127) below the plates.
constexpr int32_t kSlipCellWidth = 8;
constexpr int32_t kSlipCreamFontTop = 168, kSlipOrangeFontTop = 200;

// --- On the screen -------------------------------------------------------------------------
constexpr int32_t kSlipPanelX = 20, kSlipPanelY = 264;  // top left
constexpr int32_t kSlipRowHeight = 16;
constexpr int32_t kSlipTopMargin = 4;
// Rows: 0 the heading, 1 the columns' units, then the reaction time and one row per mark.
constexpr int32_t kSlipFirstValueRow = 2;
// Left edges, from the panel's left: the label, the time and the speed columns.
constexpr int32_t kSlipLabelX = 6, kSlipTimeX = 52, kSlipSpeedX = 103;
// The gap panel stands at the right of the road, its rows level with the slip's.
constexpr int32_t kGapPanelX = 640 - kSlipPanelX - kGapPanelWidth;
constexpr int32_t kGapValueX = 6;

// Top of a row, from the panel's top.
constexpr int32_t SlipRowY(int32_t row) { return kSlipTopMargin + kSlipRowHeight * row; }

// The panel's height for a course: a row for the reaction time and one per mark it has.
int32_t SlipPanelHeight(float courseLength);
// The course's plate in the picture.
PixelRect SlipPlateSource(float courseLength);
// The course's plate of the gap panel in the picture.
PixelRect GapPlateSource(float courseLength);

// Every cell of the panel, keyed, in drawing order: the plate, the headings, then a row for
// the reaction time and one for each of the course's marks, with the values of those the run
// has passed so far. Into `cells`, emptied first, so that a caller drawing every frame keeps
// reusing its memory.
void TimeSlipPanel(const TimeSlip& slip, float courseLength, std::vector<InstrumentBlit>& cells);

// The gap panel beside a ghost: a plate the slip's height headed "GHOST", and on the slip's rows
// the player's reaction time and time at each mark less the ghost's ("+0.123" behind,
// "-0.045" ahead), for every row both have passed; a gap past 9.999 s shows as 9.999.
void GhostGapPanel(const TimeSlip& slip, const TimeSlip& ghostSlip, float courseLength,
                   std::vector<InstrumentBlit>& cells);

// The cells of `wanted` that a panel showing `shown` lacks, in wanted's order, when it shows
// nothing but cells of `wanted` (passing a mark only adds cells, which never overlap, so the
// panel can be brought up to date by copying just those); false when it must be set afresh.
bool CellsToAdd(const std::vector<InstrumentBlit>& shown, const std::vector<InstrumentBlit>& wanted,
                std::vector<InstrumentBlit>& missing);
