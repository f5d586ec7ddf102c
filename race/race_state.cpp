#include "race/race_state.h"

#include "gfx3d/geometry.h"

RaceState race_state;
int32_t result_table = 0;

namespace {
constexpr uint32_t kNeedleColour = 0x00FF0000;  // red
}

void SetRaceStartValues(RaceState& race) {
  race = RaceState{};
  race.gear_column = 1;
  race.gear_row = 1;
  race.view_pitch = -0.5f;

  race.camera_eye = MakeVector(0.0f, -0.5f, 0.0f);
  race.camera_at = MakeVector(0.0f, -0.5f, 10.0f);
  race.camera_up = MakeVector(0.0f, 1.0f, 0.0f);
  SetIdentityMatrix(race.segment_world);
  SetIdentityMatrix(race.signal_tilt);
  for (D3DVECTOR& p : race.signal_positions) p = MakeVector(0.0f, 1.6f, 0.6f);
  for (NeedleVertex& v : race.needle_vertices) {
    v.rhw = 1.0f;
    v.diffuse = kNeedleColour;
    v.specular = kNeedleColour;
  }
  const uint16_t strip[kNeedleVertices] = {0, 1, 3, 2};
  for (int i = 0; i < kNeedleVertices; ++i) race.needle_indices[i] = strip[i];
}
