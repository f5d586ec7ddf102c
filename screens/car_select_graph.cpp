#include "screens/car_select_graph.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr int32_t kOriginX = 33;   // x of 1000 rpm and of the scales' first dash
constexpr int32_t kBaseline = 288;  // y of 0 ps and 0 kgf·m
constexpr int32_t kTopLine = 24;    // top of the engine speed lines
constexpr double kScaleHeight = kBaseline - kTopLine;  // pixels
constexpr int32_t kPixelsPerThousandRpm = 33;

// Truncation toward 0 that stays defined for values no int holds (a damaged curve).
int32_t TruncClamped(double value) {
  if (std::isnan(value)) return 0;
  if (value > 2.0e9) return 2000000000;
  if (value < -2.0e9) return -2000000000;
  return static_cast<int32_t>(value);
}

// Dashes of one scale line, from the origin to just before `end`.
void AddDashes(int32_t y, int32_t length, int32_t pitch, int32_t end, GraphColor color,
               std::vector<GraphFill>& fills) {
  for (int32_t x = kOriginX; x < end; x += pitch) fills.push_back({{x, y, x + length, y + 1}, color});
}

void AddLabel(std::vector<GraphLabel>& labels, GraphFont font, int32_t x, int32_t y,
              const char* format, int32_t value) {
  GraphLabel label{};
  std::snprintf(label.text, sizeof label.text, format, value);
  label.x = x;
  label.y = y;
  label.font = font;
  labels.push_back(label);
}

void AddText(std::vector<GraphLabel>& labels, GraphFont font, int32_t x, int32_t y,
             const char* text) {
  GraphLabel label{};
  std::snprintf(label.text, sizeof label.text, "%s", text);
  label.x = x;
  label.y = y;
  label.font = font;
  labels.push_back(label);
}

// The lines of one scale, 0 at the baseline and one per step above it, while they stay on
// the surface; a zero step height (an absurd peak) would pile them all on the baseline.
template <typename Line>
void ForEachScaleLine(float steps, int32_t stepHeight, Line&& line) {
  for (int32_t i = 0; static_cast<float>(i) <= steps; ++i) {
    const int32_t y = kBaseline - i * stepHeight;
    if (y < 0 || (i > 0 && stepHeight <= 0)) break;
    line(i, y);
  }
}

}  // namespace

GraphScales MakeGraphScales(float peakPower, float peakTorque) {
  GraphScales scales;
  // Single-precision factors widened, so that a peak of exactly 300 ps counts as 2.99...
  const double powerHundreds = static_cast<double>(peakPower) * static_cast<double>(0.01f);
  scales.power_steps = static_cast<float>(TruncClamped(powerHundreds) + 1);
  if (TruncClamped(peakPower) % 100 > 50) scales.power_steps += 0.5f;
  scales.power_step_height = TruncClamped(kScaleHeight / scales.power_steps);
  const double torqueTens = static_cast<double>(peakTorque) * static_cast<double>(0.1f);
  scales.torque_steps = static_cast<float>(TruncClamped(torqueTens) + 3);
  if (TruncClamped(peakTorque) % 10 > 5) scales.torque_steps += 0.5f;
  scales.torque_step_height = TruncClamped(kScaleHeight / scales.torque_steps);
  return scales;
}

void PlanGraphBackground(const GraphScales& scales, std::vector<GraphFill>& fills,
                         std::vector<GraphLabel>& labels) {
  fills.clear();
  labels.clear();
  ForEachScaleLine(scales.power_steps, scales.power_step_height, [&](int32_t i, int32_t y) {
    AddDashes(y, 10, 15, 290, {0, 127, 0}, fills);
    if (i > 0) AddLabel(labels, GraphFont::kGreen, 0, y - 8, "%4d", i * 100);
  });
  AddText(labels, GraphFont::kGreen, 0, 0, "(ps)");
  ForEachScaleLine(scales.torque_steps, scales.torque_step_height, [&](int32_t i, int32_t y) {
    AddDashes(y, 5, 8, 295, {127, 0, 0}, fills);
    if (i > 0) AddLabel(labels, GraphFont::kRed, 301, y - 8, "%d", i * 10);
  });
  AddText(labels, GraphFont::kRed, kGraphWidth - 8 * 6, 0, "(kg-m)");
  for (int32_t k = 1; k <= 9; ++k) {
    const int32_t x = kPixelsPerThousandRpm * k;
    fills.push_back({{x, kTopLine, x + 1, kBaseline}, {0, 0, 255}});
    AddLabel(labels, GraphFont::kYellow, x - 4, kBaseline, "%d", k);
  }
  // Centred under the rpm scale: ten characters of 8 pixels around x = 162.
  AddText(labels, GraphFont::kYellow, 162 - 4 * 10, 304, "(*1000rpm)");
}

void PlanGraphPoints(const double curve[kTorqueCurvePoints], const GraphScales& scales,
                     int32_t fromRpm, int32_t toRpm, std::vector<GraphPoint>& points) {
  points.clear();
  const PixelRect surface{0, 0, kGraphWidth, kGraphHeight};
  for (int32_t r = fromRpm; r <= toRpm; r += 10) {
    const double torque = TorqueAt(curve, r);  // kgf·m, the race's own lookup
    const int32_t x = kOriginX - TruncClamped((r - kGraphStartRpm) * -0.033);
    const double power = r * torque * kPsPerKgfmRpm;  // ps
    const GraphPoint torquePoint{
        x, kBaseline - TruncClamped(torque * scales.torque_step_height * 0.1), GraphCurve::kTorque};
    const GraphPoint powerPoint{
        x, kBaseline - TruncClamped(power * scales.power_step_height * 0.01), GraphCurve::kPower};
    for (const GraphPoint& point : {torquePoint, powerPoint}) {
      if (PixelRect{point.x, point.y, point.x + 1, point.y + 1}.InsideOf(surface.right,
                                                                          surface.bottom)) {
        points.push_back(point);
      }
    }
  }
}
