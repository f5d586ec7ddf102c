// The state of one run: cleared at the start of every race (SetRaceStartValues), written by
// the race flow and the car model, read by the race drawing. Portable: no Windows header.
#pragma once

#include <cstdint>

#include "gfx3d/d3d_types.h"
#include "race/time_slip.h"

// One transformed and lit vertex of an instrument needle (the layout of D3DTLVERTEX, drawn
// with D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_SPECULAR | D3DFVF_TEX1).
struct NeedleVertex {
  float x, y;         // screen pixels
  float z;            // depth, 0
  float rhw;          // 1.0
  uint32_t diffuse;   // 0x00RRGGBB
  uint32_t specular;  // 0x00RRGGBB
  float u, v;
};
static_assert(sizeof(NeedleVertex) == 32, "one D3DTLVERTEX");

constexpr int kSignalPositions = 8;  // 0 the lamp boxes, 1..6 the lamps "sig0".."sig5", 7 the stand
constexpr int kNeedleVertices = 4;

struct RaceState {
  // --- The run -------------------------------------------------------------------------
  float distance;                 // m from the start line; also the camera's z
  double speed;                   // km/h
  float engine_rpm;               // rpm
  double top_speed;               // km/h, highest speed of the run
  int32_t gear_column;            // lever column 0..2 (left to right)
  int32_t gear_row;               // lever row 0..2 (0 upper, 1 neutral, 2 lower)
  float view_pitch;               // m, height of the camera's look-at point, -0.7..-0.3
  int32_t signal_step;            // 0 opening move .. 5 go, 6 false start
  float intro_progress;           // 0..1 of the opening camera move
  uint32_t intro_start_ms;        // ReadTimer() when the opening move began; 0 = not yet
  uint32_t signal_tick_ms;        // ReadTimer() at the last signal step
  bool false_start;
  uint32_t false_start_until_ms;  // ReadTimer() after which a false start restarts; 0 = unset
  uint32_t go_time_ms;            // ReadTimer() at the first frame of the go lamp; 0 = not yet
  uint32_t race_time_ms;          // ms, at most 99999
  bool finished;                  // the course length has been reached
  uint16_t fps_at_signal;         // frame rate when the signal reached step 3
  uint16_t fps_at_finish;         // frame rate at the finish
  uint8_t time_rank;              // 1..5 in the course's time table; 0 = not placed
  uint8_t speed_rank;             // 1..5 in the course's top-speed table; 0 = not placed
  bool result_recorded;           // the result has been entered in the tables
  TimeSlip slip;                  // reaction, splits and speeds at the marks

  // --- The drawing: camera and scene geometry --------------------------------------------
  // Written by the race drawing and, for the camera, by the race flow; the car model never
  // touches them.
  D3DVECTOR camera_eye;           // m; z follows distance
  D3DVECTOR camera_at;            // m; y is view_pitch, z stays 10 m ahead of the eye
  D3DVECTOR camera_up;
  D3DMATRIX view_matrix;          // rebuilt every frame from the camera
  D3DMATRIX projection_matrix;
  D3DMATRIX segment_world;        // the road segment being drawn
  D3DVECTOR segment_translation;  // m
  D3DVECTOR board_translation;    // m; z set per sign board
  D3DMATRIX signal_tilt;          // rotation of the signal lamps about x
  D3DVECTOR signal_positions[kSignalPositions];  // m; y sinks from 2.0 to 1.0 during the intro
  NeedleVertex needle_vertices[kNeedleVertices];
  uint16_t needle_indices[kNeedleVertices];
};

// The one race of the program.
extern RaceState race_state;

// The course lengths by race mode, m: 0 = 400 m, 1 = 1000 m.
constexpr float CourseLength[2] = {400.0f, 1000.0f};

// The table a placed run opens on the record screen: 0 the time table, 1 the top-speed table.
extern int32_t result_table;

// Clears the whole state and sets every start value: lever in the middle neutral cell,
// view_pitch -0.5, camera eye (0, -0.5, 0) looking at (0, -0.5, 10) with y up, identity
// matrices for the segment and the signal tilt (the view and projection matrices zero), the
// signal positions at (0, 1.6, 0.6), red needles with rhw 1 and indices 0, 1, 3, 2.
void SetRaceStartValues(RaceState& race);
