// A scripted driver for the race simulator: it launches, shifts and races one car through
// the game's own gear lever, car model and race clock, one 1/60 s frame at a time.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "data/car_record.h"
#include "race/car_physics.h"

constexpr int kMaxForwardGears = 6;

// A lever position of the H gate.
struct GateSlot {
  int32_t row;
  int32_t column;
};

// The keys pressed in one frame of a lever move (DirectInput key codes).
typedef std::vector<int> KeyFrame;

struct DriverPlan {
  int gear_count = 0;                               // forward gears
  GateSlot gears[kMaxForwardGears] = {};            // 1st, 2nd, ... in shift order
  double shift_speed_kmh[kMaxForwardGears] = {};    // km/h: leave gear g at this road speed
  int32_t launch_rpm = 0;                           // rpm held with the clutch down before go
  int clutch_frames = 15;                           // frames the clutch stays down per shift
  int reaction_frames = 0;                          // frames from the go lamp to the launch
};

struct RunResult {
  bool finished = false;
  bool false_start = false;
  bool lever_missed = false;   // a shift did not land in the planned slot
  uint32_t time_ms = 0;        // race time at the line (crossing-corrected)
  double top_speed_kmh = 0;    // rounded to 0.1 km/h as the finish does
  double finish_speed_kmh = 0; // rounded to 0.1 km/h
  int shifts = 0;
};

// The forward gears of a car in shift order (1st upper left, 2nd lower left, ...), ending at
// the first slot that drives nothing.
int ForwardGears(const CarSpec& car, GateSlot (&gears)[kMaxForwardGears]);

// Force at the driven wheels, kgf, at full throttle in the slot's gear at a road speed; 0
// when the engine would be past the rev limit.
double WheelForceKgf(const CarSpec& car, const GateSlot& slot, double speedKmh,
                     int32_t revLimit);

// The road speed at which the next gear pulls at least as hard as this one, searched from
// this gear's peak-torque speed; just below the rev limit if the next never does.
double BestShiftSpeed(const CarSpec& car, const GateSlot& gear, const GateSlot& next,
                      int32_t revLimit);

// The lever moves from one slot to another as key frames: every press is one step of the
// gate, presses that the lever's test order allows share a frame, and a key pressed in one
// frame is released in the next before it is pressed again.
std::vector<KeyFrame> LeverPath(const GateSlot& from, const GateSlot& to);

DriverPlan PlanDriver(const CarSpec& car, const TachoScaleRow& tacho, int32_t launchRpm,
                      int clutchFrames, int reactionFrames);

// Called after every frame's step with the race, the car model and the frame's keys.
using FrameObserver = void (*)(const RaceState& race, const CarModelState& model,
                               const uint8_t* keys, void* context);

// One race from the reset: the lever is put into first with the clutch held while the
// signal counts down (`waitFrames` frames), then the car launches and is driven to the
// course length. With `trace`, one CSV line per frame goes there; with `observer`, it sees
// every frame.
RunResult SimulateRun(const CarSpec& car, const TachoScaleRow& tacho, const DriverPlan& plan,
                      float courseLength, int waitFrames = 240, std::FILE* trace = nullptr,
                      FrameObserver observer = nullptr, void* context = nullptr);

// The plan with the launch engine speed (1500 rpm to the rev limit, 500 rpm apart) that
// gives the shortest time on the course; `result` receives that run.
DriverPlan BestLaunch(const CarSpec& car, const TachoScaleRow& tacho, float courseLength,
                      int clutchFrames, int reactionFrames, RunResult& result);
