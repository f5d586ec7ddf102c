// The power and torque graph of the car select screen: its scales, its background of dashed
// lines, rpm lines and labels, and the points of the two curves. Portable: the Windows side
// turns the fills, labels and points into blits on the graph surface.
#pragma once

#include <cstdint>
#include <vector>

#include "data/torque_curve.h"
#include "display/glyph_layout.h"

constexpr int32_t kGraphWidth = 325;   // pixels
constexpr int32_t kGraphHeight = 320;  // pixels
constexpr int32_t kGraphStartRpm = 1000;
constexpr int32_t kGraphEndRpm = 9000;
constexpr int32_t kGraphRpmPerFrame = 300;  // the curves grow by this much each frame

// Pixels per 100 ps on the left scale and per 10 kgf·m on the right one; the step counts
// include the half step that keeps a peak just past a round figure inside the graph.
struct GraphScales {
  float power_steps = 0.0f;
  int32_t power_step_height = 0;   // pixels per 100 ps
  float torque_steps = 0.0f;
  int32_t torque_step_height = 0;  // pixels per 10 kgf·m
};

GraphScales MakeGraphScales(float peakPower, float peakTorque);

struct GraphColor {
  uint8_t red, green, blue;
};

// A rectangle of one colour: a dash of a scale line or an engine speed line.
struct GraphFill {
  PixelRect rect;
  GraphColor color;
};

enum class GraphFont { kGreen, kRed, kYellow };

// 8 x 16 text on the graph surface.
struct GraphLabel {
  char text[16];
  int32_t x, y;
  GraphFont font;
};

// The scales, engine speed lines and labels, in drawing order, after the black fill. Scale
// lines that would lie above the surface are left out.
void PlanGraphBackground(const GraphScales& scales, std::vector<GraphFill>& fills,
                         std::vector<GraphLabel>& labels);

enum class GraphCurve { kTorque, kPower };

struct GraphPoint {
  int32_t x, y;
  GraphCurve curve;
};

// The torque and power points from fromRpm to toRpm (both included) every 10 rpm, each a
// pixel of the surface; points the scales put outside the surface are left out.
void PlanGraphPoints(const double curve[kTorqueCurvePoints], const GraphScales& scales,
                     int32_t fromRpm, int32_t toRpm, std::vector<GraphPoint>& points);
