#include "app/step_trace_win32.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {
struct TracedStep {
  const char* name;
  LONGLONG ticks;
  ULONGLONG cpu;  // the process's processor time, all threads, 100 ns units
};

// Unlike the clock, what a step costs the processor hardly changes with what else the
// machine is doing.
ULONGLONG ProcessorTime() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  const auto value = [](const FILETIME& t) {
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return value(kernel) + value(user);
}

// Start-up and a few race entries; later steps are dropped.
constexpr int kMaxSteps = 256;
TracedStep steps[kMaxSteps];
int step_count = 0;

const char* TracePath() {
  static const char* const path = std::getenv("VORTA_STEP_TRACE");
  return path;
}
}  // namespace

void TraceStep(const char* name) {
  if (TracePath() == nullptr || step_count == kMaxSteps) return;
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  steps[step_count++] = {name, now.QuadPart, ProcessorTime()};
}

void TraceFirstFrame(const char* name, bool& shown) {
  if (shown) return;
  shown = true;
  TraceStep(name);
  WriteStepTrace();
}

void WriteStepTrace() {
  if (TracePath() == nullptr || step_count == 0) return;
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::FILE* file = std::fopen(TracePath(), "w");
  if (file == nullptr) return;
  const double msPerTick = 1000.0 / static_cast<double>(frequency.QuadPart);
  for (int i = 0; i < step_count; ++i) {
    const TracedStep& previous = steps[i > 0 ? i - 1 : 0];
    for (const char* c = steps[i].name; *c != 0; ++c) std::fputc(*c == ' ' ? '_' : *c, file);
    std::fprintf(file, " %.1f %.1f %.1f\n", (steps[i].ticks - previous.ticks) * msPerTick,
                 (steps[i].ticks - steps[0].ticks) * msPerTick,
                 (steps[i].cpu - previous.cpu) / 10000.0);
  }
  std::fclose(file);
}
