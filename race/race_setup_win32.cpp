#include "race/race_setup_win32.h"

#include "app/scene_frame_win32.h"
#include "app/scene_state.h"
#include "app/shell_win32.h"
#include "app/win_globals.h"
#include "display/bitmap_surface_win32.h"
#include "display/display_win32.h"
#include "gfx3d/texture_d3d.h"
#include "race/time_slip_panel_win32.h"

GpdModel course_model;
GpdModel pool_model;
GpdModel board_model;
GpdModel sig_box_model;
GpdModel sig_models[kSignalLampModels];
GpdModel sigpool_model;

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
GpdModel* const kModels[11] = {&course_model,  &pool_model,    &board_model,   &sig_box_model,
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
  ReleaseSceneSurfaces();
  LoadSmallFont();
  LoadRaceResources();
  FinishSceneEntry(SCENE_RACE_RESET);
}

void LoadRaceResources() { LoadRaceResources(kRaceResourceNames); }

void LoadRaceResources(const RaceResourceNames& names) {
  // A model that is missing simply stays empty and draws nothing.
  for (int i = 0; i < 11; ++i) LoadGpdModel(*kModels[i], names.models[i]);

  const DisplayContext& display = display_context;
  for (int i = 0; i < 3; ++i) {
    Texture& texture = *kTextures[i];
    // The road or signal is then drawn untextured; the race goes on.
    if (!LoadTexture(texture, names.textures[i], display.device, display.direct_draw,
                     display.hardware_device)) {
      ShowMessageBox("テクスチュアの読み込みに失敗しました。", "ERROR");
    }
    if (texture.device != nullptr) texture.device->SetTexture(0, nullptr);
  }

  for (int i = 0; i < 7; ++i) {
    const RacePicture& picture = kPictures[i];
    LoadKeyedPicture(*picture.handle, names.bitmaps[i], picture.load_failure, picture.key_failure);
  }
  LoadTimeSlipPicture();
}

void ReleaseRaceResources() {
  ReleaseInterface(lpDDSTachometer);
  ReleaseInterface(lpDDSMission);
  ReleaseInterface(lpDDSFont);
  ReleaseInterface(lpDDSBack);
  ReleaseInterface(lpDDSSPEEDMETER);
  for (GpdModel* model : kModels) ReleaseGpdModel(*model);
  ReleaseTexture(tex_Way);
  ReleaseTexture(tex_Way2);
  ReleaseTexture(tex_sig);
  ReleaseTimeSlipPicture();
}
