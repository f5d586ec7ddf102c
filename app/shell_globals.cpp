// The shell's globals that every subsystem reads.
#include "app/frame_timer.h"
#include "app/scene_state.h"

int32_t scene_state = SCENE_BOOT;
uint8_t race_mode = 0;
int32_t frame_rate = 0;
int32_t physics_rate = 60;
