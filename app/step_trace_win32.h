// For the start-up benchmark (tools/bench-startup.sh): with VORTA_STEP_TRACE naming a file, the
// moments the game finishes each step of its start-up and of entering the race are noted, and
// written there at each scene's first frame and at shut-down. Without it nothing is noted.
#pragma once

// Notes that the step `name` (a text that lives as long as the program) has just ended.
void TraceStep(const char* name);

// A scene's first frame shown: noted once until `shown` is cleared, and the notes so far are
// written out, so that the benchmark sees the frame from outside without screenshots, which
// would take the processor from the very start-up they time.
void TraceFirstFrame(const char* name, bool& shown);

// Writes all the notes so far, one line a step: its name (spaces as underscores), the
// milliseconds it took since the step before it, the milliseconds since the first note, and
// the milliseconds of processor time the process (all its threads) spent on the step.
void WriteStepTrace();
