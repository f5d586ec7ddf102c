// Car records built from the published figures, for tests that must not depend on the
// compiled car data.
#pragma once

#include <algorithm>
#include <cstring>

#include "data/car_record.h"

// Record 4 of the delivered car data: a 1510 kg front-engined rear-drive car, five forward
// gears and a sixth (0.793) in the lower-right slot, rev limit row 0 (10000 rpm).
inline CarSpec MakeRecord4() {
  CarSpec car{};
  car.id = 4;
  std::strcpy(car.name, "TEST FR");
  car.mass = 1510.0f;
  car.frontal_area = 1.961587f;
  car.downforce_coef = 0.4f;
  car.drag_coef = 0.31f;
  car.rolling_coef = 0.015f;
  car.tyre_radius = 0.3179f;
  car.final_drive = 3.266f;
  car.engine_drag = 3.0f;
  car.grip = 1.0f;
  car.cg_height = 0.408f;
  car.wheelbase = 2.55f;
  car.rear_weight = 0.47f;
  car.drive_layout = 1;
  const double upper[3] = {3.827, 1.685, 1.0}, lower[3] = {2.36, 1.312, 0.793};
  std::copy_n(upper, 3, car.gear_gate[0]);
  std::copy_n(lower, 3, car.gear_gate[2]);
  const double curve[] = {0,    15,    28.5,  42.5, 50,   51,    52,   54.5, 53,  50.1,
                          46.6, 43.04, 39.31, 34.2, 28.2, 21.9, 14.72, 7.2,  1.1, 0.3};
  for (size_t i = 0; i < sizeof curve / sizeof curve[0]; ++i) car.torque_curve[i] = curve[i];
  car.idle_rpm = 800;
  car.selectable = 1;
  return car;
}

inline TachoScaleRow MakeTachoRow(int32_t revLimit) { return {revLimit, -30.0f, 170.0f}; }
