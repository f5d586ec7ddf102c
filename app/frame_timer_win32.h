// The performance-counter side of the frame clock.
#pragma once

#include <cstdint>

// Reads the counter frequency and the timer units; false when the system has no counter.
bool ReadCounterFrequency();
bool InitTimer(uint32_t unitsPerSecond);
// Stamps the end of the "previous" frame, so the first frame is paced from start-up.
void StartFrameClock();

// Ends every frame: waits until one period has passed since the previous frame's end, then
// measures the frame rate.
void WaitForFrame();

// The performance counter, in counts, and its counts per second (0 before start-up read it).
uint64_t ReadCounterTicks();
uint64_t CounterFrequency();

// How many frames WaitForFrame has ended since start-up: the place in the frame trace of the
// frame now being drawn.
uint32_t FramesWaited();

// Timer resolution for the sleeping wait; balanced by ReleaseFrameClock.
void ReleaseFrameClock();
