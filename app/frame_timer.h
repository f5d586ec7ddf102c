// The 60 Hz frame clock shared by every scene. Portable declarations; the performance-counter
// calls live in frame_timer_win32.cpp.
#pragma once

#include <cstdint>

// Frames per second of the last frame, as the frame-rate read-out shows it.
extern int32_t frame_rate;
// Car-model steps per second; always 60 (set at start-up and after every frame).
extern int32_t physics_rate;

// Milliseconds of the performance counter (its own time base, wraps after 2^32 ms); callers
// only ever use differences. 0 if the counter cannot be read.
uint32_t ReadTimer();
