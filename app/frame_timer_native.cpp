// The native build's millisecond clock, for the portable core and its tools; the game itself
// uses the performance counter (frame_timer_win32.cpp).
#include <chrono>

#include "app/frame_timer.h"

uint32_t ReadTimer() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}
