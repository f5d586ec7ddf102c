#include "display/window_present.h"

#include <algorithm>

PresentRects PartOnSurface(int32_t x, int32_t y, int32_t width, int32_t height,
                           int32_t surfaceWidth, int32_t surfaceHeight) {
  PresentRects part;
  part.destination = {std::max(x, 0), std::max(y, 0), std::min(x + width, surfaceWidth),
                      std::min(y + height, surfaceHeight)};
  part.source = {part.destination.left - x, part.destination.top - y,
                 part.destination.right - x, part.destination.bottom - y};
  return part;
}
