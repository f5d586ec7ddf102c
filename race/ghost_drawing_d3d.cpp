#include "race/ghost_drawing_d3d.h"

#include "gfx3d/geometry.h"

DeviceModel ghost_model;

namespace {

// The model is drawn untextured: its colour is the scene's lighting of the one grey material,
// doubled and tinted blue, so that its sunlit panels come out a pale blue-white and the rest
// keeps the shading; the car lets 37 % of the road through.
constexpr DWORD kGhostTint = 0xA08CA0C8;  // alpha 160, red 140, green 160, blue 200 (doubled)

struct RenderStateValue {
  D3DRENDERSTATETYPE state;
  DWORD value;
};
struct StageStateValue {
  D3DTEXTURESTAGESTATETYPE state;
  DWORD value;
};

// Blending by the tint's alpha; the depth test stays on, but a see-through car must not hide
// what lies behind it from anything drawn after it.
const RenderStateValue kGhostRenderStates[] = {
    {D3DRENDERSTATE_ALPHABLENDENABLE, TRUE},
    {D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA},
    {D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA},
    {D3DRENDERSTATE_ZWRITEENABLE, FALSE},
    {D3DRENDERSTATE_TEXTUREFACTOR, kGhostTint},
};
const StageStateValue kGhostStageStates[] = {
    {D3DTSS_COLOROP, D3DTOP_MODULATE2X},
    {D3DTSS_COLORARG1, D3DTA_TFACTOR},
    {D3DTSS_COLORARG2, D3DTA_DIFFUSE},
    {D3DTSS_ALPHAOP, D3DTOP_SELECTARG1},
    {D3DTSS_ALPHAARG1, D3DTA_TFACTOR},
};
constexpr int kRenderStates = sizeof kGhostRenderStates / sizeof kGhostRenderStates[0];
constexpr int kStageStates = sizeof kGhostStageStates / sizeof kGhostStageStates[0];

}  // namespace

void DrawGhostCar(IDirect3DDevice3* device, float distance) {
  if (ghost_model.mesh.vertex_count == 0) return;
  DWORD savedRender[kRenderStates];
  DWORD savedStage[kStageStates];
  for (int i = 0; i < kRenderStates; ++i) {
    device->GetRenderState(kGhostRenderStates[i].state, &savedRender[i]);
    device->SetRenderState(kGhostRenderStates[i].state, kGhostRenderStates[i].value);
  }
  for (int i = 0; i < kStageStates; ++i) {
    device->GetTextureStageState(0, kGhostStageStates[i].state, &savedStage[i]);
    device->SetTextureStageState(0, kGhostStageStates[i].state, kGhostStageStates[i].value);
  }
  device->SetTexture(0, nullptr);

  D3DMATRIX world;
  SetTranslationMatrix(world, kGhostLaneX, 0.0f, distance);
  DrawDeviceModel(device, ghost_model, world);

  for (int i = kStageStates - 1; i >= 0; --i) {
    device->SetTextureStageState(0, kGhostStageStates[i].state, savedStage[i]);
  }
  for (int i = kRenderStates - 1; i >= 0; --i) {
    device->SetRenderState(kGhostRenderStates[i].state, savedRender[i]);
  }
}
