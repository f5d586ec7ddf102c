// One car as the CARDATA resource stores it, and the tachometer scales the cars refer to.
//
// The record is read straight from the resource bytes, so its layout is fixed to the byte:
// little-endian, no padding, 612 bytes. Portable: no Windows header.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 4)
struct CarSpec {
  int32_t id;                  // car number 0..15; not the position in the table
  char name[128];              // Shift-JIS, NUL-terminated, at most 27 bytes used
  float mass;                  // kg
  float frontal_area;          // m²
  float downforce_coef;        // dimensionless
  float drag_coef;             // dimensionless
  float rolling_coef;          // dimensionless
  float tyre_radius;           // m, driven tyres
  float final_drive;           // ratio
  float engine_drag;           // engine braking coefficient, throttle closed
  float grip;                  // tyre friction coefficient
  float cg_height;             // m
  float wheelbase;             // m
  float rear_weight;           // fraction of static weight on the rear axle, 0..1
  int32_t drive_layout;        // 0 FF, 1 FR, 2 MR, 3 4WD
  double gear_gate[3][4];      // H-pattern ratios [row][column]; 0.0 neutral, -1.0 blocked
  double torque_curve[40];     // kgf·m at 0, 500, ... 19500 rpm
  int32_t idle_rpm;            // rpm
  int32_t tacho_type;          // TachoScale row; only the low byte counts
  int32_t selectable;          // 1: may be chosen on the car select screen
};
#pragma pack(pop)

static_assert(sizeof(CarSpec) == 612, "CarSpec must match the resource record");
static_assert(offsetof(CarSpec, name) == 4);
static_assert(offsetof(CarSpec, mass) == 132);
static_assert(offsetof(CarSpec, drive_layout) == 180);
static_assert(offsetof(CarSpec, gear_gate) == 184);
static_assert(offsetof(CarSpec, torque_curve) == 280);
static_assert(offsetof(CarSpec, idle_rpm) == 600);
static_assert(offsetof(CarSpec, tacho_type) == 604);
static_assert(offsetof(CarSpec, selectable) == 608);

constexpr int kCarNameMaxBytes = 27;  // ranking entries keep the name in 28 bytes with its NUL

// A row of the tachometer scale table.
struct TachoScaleRow {
  int32_t rev_limit;    // rpm: the throttle is cut above it; the needle's full sweep
  float start_angle;    // degrees at 0 rpm
  float end_angle;      // degrees at the rev limit
};

extern TachoScaleRow TachoScale[3];

// Fills TachoScale with its three rows (10000, 16000 and 18000 rpm, -30 to 170 degrees).
void FillTachoScale();

// The scale row that a car's tacho_type selects (low byte, clamped to the table).
const TachoScaleRow& TachoScaleFor(const CarSpec& car);
