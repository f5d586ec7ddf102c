#include "race/race_frame_win32.h"

#include "app/frame_timer.h"
#include "app/frame_timer_win32.h"
#include "app/scene_state.h"
#include "app/shell_win32.h"
#include "app/step_trace_win32.h"
#include "data/car_table.h"
#include "data/record_data.h"
#include "display/drawing_win32.h"
#include "input/input_win32.h"
#include "input/key_state.h"
#include "race/car_physics.h"
#include "race/race_drawing_d3d.h"
#include "race/race_flow.h"
#include "race/race_state.h"
#include "race/race_trace_win32.h"
#include "race/replay_win32.h"
#include "race/run_log_win32.h"
#include "sound/engine_sound_win32.h"

namespace {
bool first_frame_traced = false;
}  // namespace

void ResetRace() {
  SetRaceStartValues(race_state);
  PrepareRaceReplays(race_mode);
  first_frame_traced = false;
}

void RaceFrame() {
  const uint64_t frameStart = ReadCounterTicks();
  if (!RecoverLostPictures()) return;
  // A lost keyboard only costs this frame its keys: the clock, the distance and the drawing
  // go on.
  const bool keysRead = ReadFrameInput();
  const RaceFrameInput input = {ReadTimer(), keysRead,     key_state, previous_key_state,
                                frame_rate,  physics_rate, race_mode};
  RaceWorld world = {current_car, TachoScaleFor(current_car), car_model_state, record_data,
                     result_table};
  const bool finishedBefore = race_state.finished;
  RecordRaceFrame(input);
  const int32_t next = StepRaceFlow(race_state, input, world);
  AdvanceGhost(input.now_ms);
  if (race_state.finished && !finishedBefore) {
    const LocalDateTime now = ReadLocalDateTime();
    AppendRunToLog(race_state, current_car, race_mode, now);
    SaveFinishedRun(now);
  }
  // Right after the step, so that what the engine did is heard as soon as it can be.
  FeedEngineSound(race_state, car_model_state, key_state);
  if (keysRead) RememberKeyState();
  // The joystick's Esc button, read above, has already chosen the title; it wins.
  if (next != kNoSceneRequest && scene_state == SCENE_RACE) scene_state = next;

  DrawRaceScene();
  DrawFrameRate();
  // PresentFrame, in its two steps, so that the benchmark's trace can time the copy.
  const uint64_t showStart = ReadCounterTicks();
  ShowBackBuffer();
  TraceFirstFrame("first race frame", first_frame_traced);
  TraceRaceFrame(race_state, showStart - frameStart, ReadCounterTicks() - showStart);
  WaitForFrame();
}
