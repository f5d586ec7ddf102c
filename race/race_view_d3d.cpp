#include "race/race_view_d3d.h"

#include "display/display_win32.h"
#include "gfx3d/geometry.h"
#include "race/race_drawing_d3d.h"
#include "race/race_instruments.h"
#include "race/race_state.h"

namespace {
// A very wide lens, stretched sideways; the far plane lies beyond the 220 m of road drawn.
constexpr float kFieldOfView = 2.65f;  // radians
constexpr float kAspect = 1.75f;
constexpr float kNearPlane = 0.05f;  // m
constexpr float kFarPlane = 250.0f;  // m
}  // namespace

void ApplyRaceView() {
  RaceState& race = race_state;
  IDirect3DDevice3* device = display_context.device;
  if (device == nullptr) return;
  FollowCarWithCamera(race);
  SetViewMatrix(race.view_matrix, race.camera_eye, race.camera_at, race.camera_up);
  device->SetTransform(D3DTRANSFORMSTATE_VIEW, &race.view_matrix);
  SetProjectionMatrix(race.projection_matrix, kFieldOfView, kAspect, kNearPlane, kFarPlane);
  device->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &race.projection_matrix);
  device->SetRenderState(D3DRENDERSTATE_ZENABLE, TRUE);
  WarmUpRaceDrawing();
}
