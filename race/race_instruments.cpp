#include "race/race_instruments.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {
constexpr double kDegreesToRadians = 0.017453292519943295;

// Needle shape, pixels from the pivot.
constexpr float kNeedleLength = 125.0f;
constexpr float kNeedleHalfWidth = 3.0f;
constexpr float kNeedleTail = 20.0f;

// The dial needle turns 200 degrees for 266.7 km/h.
constexpr double kSpeedNeedleDegreesPerKmh = 0.7500001875000468;
constexpr double kSpeedNeedleStart = -30.0;  // degrees at 0 km/h

PixelRect Rect(int32_t left, int32_t top, int32_t width, int32_t height) {
  return PixelRect{left, top, left + width, top + height};
}

// The decimal digit of value at a place counted from the units (place 0).
int32_t Digit(uint64_t value, int place) {
  for (int i = 0; i < place; ++i) value /= 10;
  return static_cast<int32_t>(value % 10);
}

// The 32-pixel texts stand centred on a point: half a 16-pixel cell per character to the left.
InstrumentText CentredText(int32_t centreX, int32_t y, const char* format, double value) {
  InstrumentText text = {};
  const int length = std::snprintf(text.text, sizeof text.text, format, value);
  const int shown = length < 0 ? 0 : (length < static_cast<int>(sizeof text.text)
                                          ? length
                                          : static_cast<int>(sizeof text.text) - 1);
  text.x = centreX - 8 * shown;
  text.y = y;
  return text;
}
}  // namespace

InstrumentBlit Background() { return {Rect(0, 0, 640, 352), Rect(0, 0, 640, 352)}; }

int32_t FirstRoadSegment(float distance) { return static_cast<int32_t>(distance * 0.05); }

bool SegmentHasGantry(int32_t segment) { return segment * kRoadSegmentLength % 100 == 0; }

bool SegmentUsesLineTexture(int32_t segment, float courseLength) {
  const int32_t start = segment * kRoadSegmentLength;
  return start == 0 || start == static_cast<int32_t>(courseLength);
}

// Models 0/1 amber unlit/lit, 2/3 green, 4/5 red.
const uint8_t SignalLamps[6][kSignalLampCount] = {
    {0, 0, 0, 2, 4}, {1, 0, 0, 2, 4}, {1, 1, 0, 2, 4},
    {1, 1, 1, 2, 4}, {1, 1, 1, 3, 4}, {0, 0, 0, 2, 5},
};

int32_t SignalRow(int32_t signalStep) {
  const int32_t row = signalStep - 1;
  if (row < 0) return 0;
  return row > 5 ? 5 : row;
}

float SignalLampX(int lamp) { return static_cast<float>(lamp) * 0.2f - 0.4f; }

float TachoNeedleAngle(float engineRpm, const TachoScaleRow& scale) {
  const double sweep = static_cast<double>(scale.end_angle) - scale.start_angle;
  return static_cast<float>(scale.start_angle + engineRpm * sweep / scale.rev_limit);
}

float SpeedNeedleAngle(double speed) {
  return static_cast<float>(speed * kSpeedNeedleDegreesPerKmh + kSpeedNeedleStart);
}

void PlaceNeedle(NeedleVertex (&vertices)[kNeedleVertices], float centreX, float centreY,
                 float angleDegrees) {
  auto place = [&](NeedleVertex& vertex, double degrees, float radius) {
    const double radians = degrees * kDegreesToRadians;
    vertex.x = static_cast<float>(centreX - radius * std::cos(radians));
    vertex.y = static_cast<float>(centreY - radius * std::sin(radians));
  };
  place(vertices[0], angleDegrees, kNeedleLength);
  place(vertices[1], angleDegrees + 90.0, kNeedleHalfWidth);
  place(vertices[2], angleDegrees + 180.0, kNeedleTail);
  place(vertices[3], angleDegrees - 90.0, kNeedleHalfWidth);
}

InstrumentBlit TachometerFace(const CarSpec& car) {
  // The face must match the needle's scale, so both come from the same (clamped) row.
  const int32_t row = static_cast<int32_t>(&TachoScaleFor(car) - TachoScale);
  return {Rect(256 * row, 0, 256, 208), Rect(370, 50, 256, 208)};
}

InstrumentBlit GearGate(const CarSpec& car) {
  const bool sixSpeed = car.gear_gate[2][2] > 0.0;
  return {Rect(sixSpeed ? 80 : 0, 0, 80, 80), Rect(535, 175, 80, 80)};
}

InstrumentBlit GearKnob(int32_t gearColumn, int32_t gearRow) {
  return {Rect(160, 0, 32, 32), Rect(539 + 20 * gearColumn, 179 + 20 * gearRow, 32, 32)};
}

InstrumentBlit SpeedPanel() { return {Rect(0, 80, 272, 80), Rect(19, 138, 272, 80)}; }
InstrumentBlit TimePanel() { return {Rect(0, 208, 240, 48), Rect(35, 90, 240, 48)}; }
InstrumentBlit DistancePanel() { return {Rect(160, 416, 96, 32), Rect(36, 58, 96, 32)}; }

void SpeedDigits(double speed, InstrumentBlit (&cells)[kSpeedDigits]) {
  const uint64_t tenths = speed > 0.0 ? static_cast<uint64_t>(speed * 10.0) : 0;
  const int32_t tenth = Digit(tenths, 0);
  cells[0] = {Rect(32 * tenth, 256, 32, 48), Rect(173, 166, 32, 48)};
  for (int k = 1; k < kSpeedDigits; ++k) {
    const int32_t d = Digit(tenths, k);
    cells[k] = {Rect(48 * d, 0, 48, 80), Rect(169 - 48 * k, 138, 48, 80)};
  }
}

void TimeDigits(uint32_t raceTimeMs, InstrumentBlit (&cells)[kTimeCells]) {
  // Places 0..2 the decimals, 3 the point, 4 and 5 the seconds; the seconds sit 25 px closer
  // to the point than the fixed pitch would put them.
  int digit = 0;
  for (int place = 0; place < kTimeCells; ++place) {
    if (place == 3) {
      cells[place] = {Rect(320, 160, 10, 48), Rect(104, 89, 10, 48)};
      continue;
    }
    const int32_t d = Digit(raceTimeMs, digit++);
    const int32_t left = place <= 2 ? 178 - 32 * place : 178 - (32 * place - 25);
    cells[place] = {Rect(32 * d, 160, 32, 48), Rect(left, 89, 32, 48)};
  }
}

void DistanceDigits(uint32_t metres, InstrumentBlit (&cells)[kDistanceDigits]) {
  for (int j = 0; j < kDistanceDigits; ++j) {
    const int32_t d = Digit(metres, j);
    cells[j] = {Rect(16 * d, 416, 16, 32), Rect(93 - 16 * j, 58, 16, 32)};
  }
}

uint32_t ShownDistance(float distance, bool finished, float courseLength) {
  if (finished) return static_cast<uint32_t>(courseLength);
  const float tenths = distance * 10.0f;
  return tenths > 0.0f ? static_cast<uint32_t>(tenths) / 10 : 0;
}

InstrumentText DistanceText(float distance, bool finished, float courseLength) {
  return CentredText(320, 98, "%4.0fm", finished ? courseLength : distance);
}

InstrumentText TimeText(uint32_t raceTimeMs) {
  return CentredText(324, 66, "%6.3fsec", raceTimeMs * 0.001);
}

InstrumentText SpeedText(double speed) { return CentredText(152, 188, "%5.1fkm/h", speed); }

InstrumentBlit SpeedometerDial() { return {Rect(0, 0, 256, 208), Rect(20, 50, 256, 208)}; }

bool FinishBannerVisible(bool finished, uint32_t nowMs) { return finished && nowMs % 1500 < 1000; }
InstrumentBlit FinishBanner() { return {Rect(0, 368, 304, 48), Rect(168, 280, 304, 48)}; }

bool RecordBannerVisible(uint8_t timeRank, uint8_t speedRank) {
  return timeRank != 0 || speedRank != 0;
}
InstrumentBlit RecordBanner() { return {Rect(0, 320, 256, 48), Rect(192, 200, 256, 48)}; }

int32_t CarNameX(const char* name) {
  const size_t length = strnlen(name, sizeof(CarSpec::name));
  return 320 - 8 * static_cast<int32_t>(length);
}

void FollowCarWithCamera(RaceState& race) {
  race.camera_eye.z = race.distance;
  race.camera_at.y = race.view_pitch;
}
