// Where the race's pictures go: the road segments, the start signal's lamps, the needles, the
// digits of the digital panels and the texts of the dial style. Portable: the Windows side
// only turns these into device calls and blits, in the order the race draws them.
#pragma once

#include <cstdint>

#include "data/car_record.h"
#include "display/glyph_layout.h"
#include "race/race_state.h"

// One picture cell copied onto the back buffer.
struct InstrumentBlit {
  PixelRect source;
  PixelRect destination;
};

// The background picture above the horizon, opaque.
InstrumentBlit Background();

// --- Road --------------------------------------------------------------------------------
constexpr int32_t kRoadSegmentLength = 20;  // m, one "course" model
constexpr int32_t kRoadSegmentsAhead = 10;  // drawn beyond the car's own segment

// The 20 m segment the car is on.
int32_t FirstRoadSegment(float distance);
// A gantry stands at the start of every 100 m.
bool SegmentHasGantry(int32_t segment);
// The segments that begin at the start line and at the finish line carry the line texture.
bool SegmentUsesLineTexture(int32_t segment, float courseLength);

// --- Start signal --------------------------------------------------------------------------
constexpr int kSignalLampCount = 5;
// The lamp model ("sig0".."sig5") of each of the five lamps, for each signal row.
extern const uint8_t SignalLamps[6][kSignalLampCount];
// The row shown for a signal step: step 0 and 1 share row 0, a false start (6) shows row 5.
int32_t SignalRow(int32_t signalStep);
// m, across the road: -0.4 .. 0.4.
float SignalLampX(int lamp);

// --- Needles -----------------------------------------------------------------------------
// Degrees; 0 rpm at the row's start angle, the rev limit at its end angle.
float TachoNeedleAngle(float engineRpm, const TachoScaleRow& scale);
// Degrees; 0 km/h at -30, 266.7 km/h at 170.
float SpeedNeedleAngle(double speed);
// A red kite 125 px long with a 20 px tail, turning about (centreX, centreY); 90 degrees
// points straight up. Writes x and y only.
void PlaceNeedle(NeedleVertex (&vertices)[kNeedleVertices], float centreX, float centreY,
                 float angleDegrees);
constexpr float kTachoCentreX = 498.0f, kTachoCentreY = 178.0f;  // pixels
constexpr float kSpeedCentreX = 148.0f, kSpeedCentreY = 178.0f;  // pixels

// --- Dials and gate ---------------------------------------------------------------------
// The tachometer face of the car's scale row, and where it goes.
InstrumentBlit TachometerFace(const CarSpec& car);
// The five- or six-speed gate (six when the lower-right cell holds a gear).
InstrumentBlit GearGate(const CarSpec& car);
InstrumentBlit GearKnob(int32_t gearColumn, int32_t gearRow);

// --- Digital panels (all from "Font") ----------------------------------------------------
constexpr int kSpeedDigits = 4;     // tenths, units, tens, hundreds
constexpr int kTimeCells = 6;       // three decimals, the point, two whole seconds
constexpr int kDistanceDigits = 4;  // units to thousands
InstrumentBlit SpeedPanel();
InstrumentBlit TimePanel();
InstrumentBlit DistancePanel();
// Leading zeros are drawn: the panels always show every place.
void SpeedDigits(double speed, InstrumentBlit (&cells)[kSpeedDigits]);
void TimeDigits(uint32_t raceTimeMs, InstrumentBlit (&cells)[kTimeCells]);
void DistanceDigits(uint32_t metres, InstrumentBlit (&cells)[kDistanceDigits]);
// Whole metres on the panel; the course length itself once the car has finished.
uint32_t ShownDistance(float distance, bool finished, float courseLength);

// --- Dial style texts (32-pixel number font) ----------------------------------------------
struct InstrumentText {
  char text[32];
  int32_t x;  // pixels, left of the first cell
  int32_t y;  // pixels, top of the cells
};
InstrumentText DistanceText(float distance, bool finished, float courseLength);
InstrumentText TimeText(uint32_t raceTimeMs);
InstrumentText SpeedText(double speed);
InstrumentBlit SpeedometerDial();

// --- Banners and name ---------------------------------------------------------------------
// On for one second, off for half a second, once finished.
bool FinishBannerVisible(bool finished, uint32_t nowMs);
InstrumentBlit FinishBanner();
bool RecordBannerVisible(uint8_t timeRank, uint8_t speedRank);
InstrumentBlit RecordBanner();
// The car's name centred on the 16-pixel cells; x of its first cell.
int32_t CarNameX(const char* name);
constexpr int32_t kCarNameY = 440;  // pixels

// The camera rides with the car: the eye at the distance driven, the look-at point at the
// height the car's pitch gives (its z is moved on with the distance by the race clock).
void FollowCarWithCamera(RaceState& race);
