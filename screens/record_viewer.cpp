#include "screens/record_viewer.h"

#include <initializer_list>

#include "app/scene_state.h"
#include "input/key_codes.h"
#include "input/key_state.h"

RecordScreenState record_screen;

namespace {
template <typename Value>
void Flip(Value& value) {
  value = value == 0 ? 1 : 0;
}
}  // namespace

void StepRecordViewer(const uint8_t* keys, const uint8_t* previous, RecordScreenState& screen,
                      uint8_t& raceMode, int32_t& resultTable, int32_t& sceneState) {
  auto pressed = [&](int code) { return IsKeyPressed(keys, previous, code); };
  if (pressed(DIK_SPACE)) {
    screen.records_row = 0;
    raceMode = 0;
    sceneState = SCENE_TITLE_ENTER;
  }
  if (pressed(DIK_UP)) Flip(screen.records_row);
  if (pressed(DIK_DOWN)) Flip(screen.records_row);
  for (int code : {DIK_RIGHT, DIK_LEFT}) {
    if (!pressed(code)) continue;
    if (screen.records_row == 0) {
      Flip(raceMode);
    } else {
      Flip(resultTable);
    }
  }
}
