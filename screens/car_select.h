// The car select screen's state, its key handling, the text it prints about the car and the
// progress of its graph. Portable: the Windows side reads the keys, hands them in, and
// draws what these functions lay out.
#pragma once

#include <cstdint>

#include "data/car_record.h"

struct CarSelectState {
  uint8_t selected_car = 0;      // index into car_table; kept between visits
  int32_t graph_rpm_limit = 0;   // rpm the curves are to reach this frame, 1000..9000
  int32_t graph_car_id = -1;     // id of the car whose background is on the graph; -1 none
  int32_t graph_drawn_rpm = 1000;  // rpm the curves on the graph already reach
};

extern CarSelectState car_select_state;

// The hidden cars that progress has earned join the cycle: bit 0 the first record with id 0,
// bit 1 the first with id 1.
void UnlockProgressCars(uint32_t progressFlags);

// The start of every frame: moves the selection forward to a selectable car if it is on a
// hidden one. false when the table has no selectable car at all; the screen then shows no
// car and its keys do nothing.
bool SettleSelectedCar(CarSelectState& state);

// The frame's keys, with a car shown: Space starts the race, Left and Right step to the
// previous or next selectable car (wrapping) and start the graph afresh. Returns the scene to
// run next (sceneState when none was asked for).
int32_t HandleCarSelectKeys(CarSelectState& state, const uint8_t* keys, const uint8_t* previous,
                            int32_t sceneState);

// What this frame adds to the graph of car `carId`.
struct GraphStep {
  bool redraw_background;  // a new car, or the graph surface was made again
  int32_t from_rpm;        // the curves are drawn from here ...
  int32_t to_rpm;          // ... to here, both included
};

// Grows the curves by one frame's worth and notes them as drawn.
GraphStep AdvanceGraph(CarSelectState& state, int32_t carId);

// Where the car's name goes: centred on the screen, or from x = 0 and cut at the right edge
// when it is wider than the screen.
struct NamePlacement {
  int32_t x;
  int32_t max_chars;
};
NamePlacement PlaceCarName(const char name[128]);

// One of the four 16 x 32 lines about the car, centred on x = 160.
struct CarSelectLine {
  char text[48];
  int32_t x, y;
};
constexpr int kCarSelectLines = 4;

// Peak power and torque with the engine speeds they occur at, read from the torque curve
// every 100 rpm from 2000 to just below 14500 rpm.
struct CarPeaks {
  float power = 0.0f;  // ps
  int32_t power_rpm = 0;
  float torque = 0.0f;  // kgf·m
  int32_t torque_rpm = 0;
};
CarPeaks ScanCarPeaks(const CarSpec& car);

// Peak power and torque with their engine speeds, mass and drive layout. The first three are
// number lines (digits in the orange font); the fourth is all orange.
void FormatCarSelectLines(const CarSpec& car, const CarPeaks& peaks,
                          CarSelectLine lines[kCarSelectLines]);
