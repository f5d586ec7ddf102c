// Where the race takes its instrument cells from the "Font", "Mission", "Tachometer" and
// "SPEEDMETER" pictures and where it puts them on the 640 x 480 screen. The pictures are drawn
// so that, blitted to these places, their pieces line up; the HUD mock-up composes with the
// same numbers.
#pragma once

#include "tools/art/common/indexed_bitmap.h"

namespace race_hud {

// "Font" cells.
inline ArtRect LargeDigit(int d) { return ArtRect{48 * d, 0, 48 * d + 48, 80}; }
inline ArtRect TimeDigit(int d) { return ArtRect{32 * d, 160, 32 * d + 32, 208}; }
inline ArtRect SmallDigit(int d) { return ArtRect{32 * d, 256, 32 * d + 32, 304}; }
inline ArtRect DistanceDigit(int d) { return ArtRect{16 * d, 416, 16 * d + 16, 448}; }
constexpr ArtRect kSpeedPanel{0, 80, 272, 160};
constexpr ArtRect kTimePoint{320, 160, 330, 208};
constexpr ArtRect kTimePanel{0, 208, 240, 256};
constexpr ArtRect kRecordBanner{0, 320, 256, 368};
constexpr ArtRect kFinishBanner{0, 368, 304, 416};
constexpr ArtRect kDistancePanel{160, 416, 256, 448};

// Screen places (top-left corners) of the digital display.
constexpr int kSpeedPanelX = 19, kSpeedPanelY = 138;
// Large speed digit k (1 tens, 2 hundreds... counted from the tenths at k = 0).
constexpr int LargeSpeedDigitX(int k) { return 169 - 48 * k; }
constexpr int kLargeSpeedDigitY = 138;
constexpr int kTenthsDigitX = 173, kTenthsDigitY = 166;

constexpr int kTimePanelX = 35, kTimePanelY = 90;
// Time place p: 0, 1, 2 the thousandths, hundredths and tenths of a second; 3 the point;
// 4 and 5 the seconds and tens of seconds.
constexpr int TimeDigitX(int p) { return p <= 2 ? 178 - 32 * p : 178 - (32 * p - 25); }
constexpr int kTimeDigitY = 89;
constexpr int kTimePointX = 104, kTimePointY = 89;

constexpr int kDistancePanelX = 36, kDistancePanelY = 58;
// Distance digit j: 0 units .. 3 thousands.
constexpr int DistanceDigitX(int j) { return 93 - 16 * j; }
constexpr int kDistanceDigitY = 58;

constexpr int kRecordBannerX = 192, kRecordBannerY = 200;
constexpr int kFinishBannerX = 168, kFinishBannerY = 280;

// The dial style's text, 16 x 32 cells of the large fonts, each line centred by its base x:
// the speed "%5.1fkm/h" (nine characters below 1000 km/h) is drawn before the speedometer
// picture, inside its rectangle, and shows through a window left in the dial.
constexpr int kDialTextCell = 16;
constexpr int DialTextX(int base, int length) { return base - 8 * length; }
constexpr int kSpeedTextBase = 152, kSpeedTextY = 188, kSpeedTextLength = 9;
// After its "." a number line stands 11 px further left than the fixed pitch puts it.
constexpr int kSpeedTextRight = DialTextX(kSpeedTextBase, kSpeedTextLength) + kSpeedTextLength * kDialTextCell - 11;
constexpr int kTimeTextBase = 324, kTimeTextY = 66;
constexpr int kDistanceTextBase = 320, kDistanceTextY = 98;
constexpr int kCarNameBase = 320, kCarNameY = 440;

// The dials and the gear lever.
constexpr int kTachometerX = 370, kTachometerY = 50;
constexpr int kSpeedometerX = 20, kSpeedometerY = 50;
constexpr int kGateX = 535, kGateY = 175;
constexpr int KnobX(int column) { return 539 + 20 * column; }
constexpr int KnobY(int row) { return 179 + 20 * row; }

}  // namespace race_hud
