#include "app/scene_frame_win32.h"

#include "app/scene_state.h"
#include "app/shell_win32.h"
#include "display/display_win32.h"
#include "display/drawing_win32.h"
#include "input/input_win32.h"
#include "input/key_state.h"

void FinishSceneEntry(int32_t frameState) {
  if (scene_state != SCENE_EXIT) scene_state = frameState;
}

void PlainSceneFrame() {
  if (!RecoverLostPictures()) return;
  if (ReadFrameInput()) RememberKeyState();
  FillBackBuffer(display_context.clear_rect, PackColor(0, 0, 0));
  DrawFrameRate();
  PresentFrame();
}
