// The frame-rate read-out in the top right corner of every frame.
#pragma once

#include <cstddef>
#include <cstdint>

// Six 8-pixel cells ending at the right edge of the 640-pixel picture.
constexpr int32_t kFrameRateX = 592;
constexpr int32_t kFrameRateY = 0;
constexpr int32_t kFrameRateCellWidth = 8;

// "%03dFPS"; returns the text's length. The buffer holds any 32-bit rate.
constexpr size_t kFrameRateTextSize = 24;
int FormatFrameRate(int32_t frameRate, char (&text)[kFrameRateTextSize]);
