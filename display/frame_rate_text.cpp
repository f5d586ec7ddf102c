#include "display/frame_rate_text.h"

#include <cstdio>

int FormatFrameRate(int32_t frameRate, char (&text)[kFrameRateTextSize]) {
  const int length = std::snprintf(text, sizeof text, "%03dFPS", static_cast<int>(frameRate));
  return length < 0 ? 0 : length;
}
