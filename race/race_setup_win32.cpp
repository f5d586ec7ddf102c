#include "race/race_setup_win32.h"

#include "app/scene_frame_win32.h"
#include "app/scene_state.h"
#include "app/shell_win32.h"
#include "app/step_trace_win32.h"
#include "app/win_globals.h"
#include "data/car_table.h"
#include "display/bitmap_surface_win32.h"
#include "display/display_win32.h"
#include "display/drawing_win32.h"
#include "gfx3d/texture_d3d.h"
#include "gfx3d/vertex_buffer_d3d.h"
#include "race/ghost_drawing_d3d.h"
#include "race/race_drawing_d3d.h"
#include "race/race_state.h"
#include "race/time_slip_panel_win32.h"
#include "sound/engine_sound_win32.h"

DeviceModel course_model;
DeviceModel pool_model;
DeviceModel board_model;
DeviceModel sig_box_model;
DeviceModel sig_models[kSignalLampModels];
DeviceModel sigpool_model;

IDirect3DVertexBuffer* needle_vertex_buffers[2] = {nullptr, nullptr};

IDirectDrawSurface4* lpDDSMission = nullptr;
IDirectDrawSurface4* lpDDSFont = nullptr;
IDirectDrawSurface4* lpDDSTachometer = nullptr;
IDirectDrawSurface4* lpDDSBack = nullptr;
IDirectDrawSurface4* lpDDSSPEEDMETER = nullptr;

const RaceResourceNames kRaceResourceNames = {
    {"course", "pool", "board", "sig_box", "sig0", "sig1", "sig2", "sig3", "sig4", "sig5",
     "sigpool"},
    {"tex_sig", "tex_Way", "tex_Way2"},
    {"Mission", "Font", "Tachometer", "Back", "SPEEDMETER", "FONT_DFPOP_32_CREAM",
     "FONT_DFPOP_32_ORANGE"},
};

namespace {
DeviceModel* const kModels[11] = {&course_model,  &pool_model,    &board_model,   &sig_box_model,
                               &sig_models[0], &sig_models[1], &sig_models[2], &sig_models[3],
                               &sig_models[4], &sig_models[5], &sigpool_model};
Texture* const kTextures[3] = {&tex_sig, &tex_Way, &tex_Way2};

struct RacePicture {
  IDirectDrawSurface4** handle;
  const char* load_failure;
  const char* key_failure;
};
const RacePicture kPictures[7] = {
    {&lpDDSMission, "ミッション画像読み込み失敗", "カラー・キーの設定失敗（Mission）"},
    {&lpDDSFont, "フォント画像読み込み失敗", "カラー・キーの設定失敗（Font）"},
    {&lpDDSTachometer, "タコメータースケール画像読み込み失敗",
     "カラー・キーの設定失敗（Tachometer）"},
    {&lpDDSBack, "背景画像読み込み失敗", "カラー・キーの設定失敗（Back）"},
    {&lpDDSSPEEDMETER, "SPEEDMETER読み込み失敗", "カラー・キーの設定失敗（SPEEDMETER）"},
    {&lpDDSFontDFPOP32CREAM, "FONT_DFPOP_32読み込み失敗", "カラー・キーの設定失敗（FONT_DFPOP_32）"},
    {&lpDDSFontDFPOP32ORANGE, "FONT_DFPOP_32読み込み失敗",
     "カラー・キーの設定失敗（FONT_DFPOP_32）"},
};
}  // namespace

void EnterRace() {
  TraceStep("race entry");
  ReleaseSceneSurfaces();
  LoadSmallFont();
  TraceStep("car select released");
  LoadRaceResources();
  FinishSceneEntry(SCENE_RACE_RESET);
}

void LoadRaceResources() { LoadRaceResources(kRaceResourceNames); }

void LoadRaceResources(const RaceResourceNames& names) {
  race_drawing_warm = false;
  const DisplayContext& display = display_context;
  // A model that is missing simply stays empty and draws nothing.
  for (int i = 0; i < 11; ++i) {
    LoadDeviceModel(*kModels[i], names.models[i], display.direct3d, display.hardware_device != 0);
  }
  // Drawn only with the ghost on; without it the race is whole.
  LoadDeviceModel(ghost_model, "ghost", display.direct3d, display.hardware_device != 0);
  for (IDirect3DVertexBuffer*& needle : needle_vertex_buffers) {
    ReleaseInterface(needle);
    needle = CreateVertexBufferFor(display.direct3d, kNeedleVertexFormat, kNeedleVertices,
                                   display.hardware_device != 0, VertexUpdates::kEveryFrame);
  }
  TraceStep("race models");

  for (int i = 0; i < 3; ++i) {
    Texture& texture = *kTextures[i];
    // The road or signal is then drawn untextured; the race goes on.
    if (!LoadTexture(texture, names.textures[i], display.device, display.direct_draw,
                     display.hardware_device)) {
      ShowMessageBox("テクスチュアの読み込みに失敗しました。", "ERROR");
    }
    if (texture.device != nullptr) texture.device->SetTexture(0, nullptr);
  }
  TraceStep("race textures");

  for (int i = 0; i < 7; ++i) {
    const RacePicture& picture = kPictures[i];
    LoadKeyedPicture(*picture.handle, names.bitmaps[i], picture.load_failure, picture.key_failure);
  }
  TraceStep("race pictures");
  LoadTimeSlipPicture();
  TraceStep("time slip");
  OpenEngineSound(current_car);
  TraceStep("engine sound");
}

void ReleaseRaceResources() {
  // Held only after the race was set up, so only then has Direct3D drawn into the buffers.
  if (lpDDSTachometer != nullptr) ReturnBackBufferToSystemMemory();
  ReleaseInterface(lpDDSTachometer);
  ReleaseInterface(lpDDSMission);
  ReleaseInterface(lpDDSFont);
  ReleaseInterface(lpDDSBack);
  ReleaseInterface(lpDDSSPEEDMETER);
  for (DeviceModel* model : kModels) ReleaseDeviceModel(*model);
  ReleaseDeviceModel(ghost_model);
  for (IDirect3DVertexBuffer*& needle : needle_vertex_buffers) ReleaseInterface(needle);
  ReleaseTexture(tex_Way);
  ReleaseTexture(tex_Way2);
  ReleaseTexture(tex_sig);
  ReleaseTimeSlipPicture();
  CloseEngineSound();
}
