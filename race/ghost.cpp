#include "race/ghost.h"

#include "race/race_flow.h"

bool PrepareGhost(GhostRun& ghost, const Replay& replay, const CarSpec& car,
                  const TachoScaleRow& tacho) {
  ghost.ready = false;
  ReplayPlayer& player = ghost.player;
  StartReplayPlayer(player, replay, car, tacho);
  bool goSeen = false;
  while (StepReplayPlayer(player)) {
    if (!goSeen && player.race.signal_step == kSignalGoStep) {
      goSeen = true;
      ghost.go_frame = player.next_frame - 1;
      ghost.go_time_ms = replay.frames[ghost.go_frame].now_ms;
    }
  }
  const RaceState& end = player.race;
  if (!goSeen || !end.finished || end.race_time_ms != replay.header.race_time_ms) return false;
  ghost.slip = end.slip;
  ghost.ready = true;
  ResetGhost(ghost);
  return true;
}

void ResetGhost(GhostRun& ghost) {
  if (!ghost.ready) return;
  ReplayPlayer& player = ghost.player;
  StartReplayPlayer(player, *player.replay, *player.car, *player.tacho);
  while (player.next_frame < ghost.go_frame) StepReplayPlayer(player);
}

void FollowRaceClock(GhostRun& ghost, const RaceState& race, uint32_t nowMs) {
  if (!ghost.ready || race.signal_step != kSignalGoStep) return;
  // Both sides as differences of their own timer readings, so neither wrap matters.
  const uint32_t sinceGo = nowMs - race.go_time_ms;
  ReplayPlayer& player = ghost.player;
  const Replay& replay = *player.replay;
  while (player.next_frame < replay.header.frame_count &&
         replay.frames[player.next_frame].now_ms - ghost.go_time_ms <= sinceGo) {
    StepReplayPlayer(player);
  }
}
