// The race's pictures, models and textures: loaded on entering the race and after a display
// rebuild, released with every scene change.
#pragma once

#include <windows.h>
#include <ddraw.h>

#include "gfx3d/gpd_model.h"

constexpr int kSignalLampModels = 6;  // "sig0".."sig5", indexed by SignalLamps

// Empty while the race is not loaded. The textures are tex_sig, tex_Way and tex_Way2.
extern GpdModel course_model;   // one 20 m road segment
extern GpdModel pool_model;     // the gantry every 100 m
extern GpdModel board_model;    // the sign on each gantry
extern GpdModel sig_box_model;  // the housing of a signal lamp
extern GpdModel sig_models[kSignalLampModels];
extern GpdModel sigpool_model;  // the signal's stand

extern IDirectDrawSurface4* lpDDSMission;     // gear gates and knob
extern IDirectDrawSurface4* lpDDSFont;        // digital panels, digits and banners
extern IDirectDrawSurface4* lpDDSTachometer;  // the three tachometer faces
extern IDirectDrawSurface4* lpDDSBack;        // the background above the horizon
extern IDirectDrawSurface4* lpDDSSPEEDMETER;  // the speedometer dial

// The names the race's resources are looked up by, in loading order.
struct RaceResourceNames {
  const char* models[11];   // course, pool, board, sig_box, sig0..sig5, sigpool
  const char* textures[3];  // tex_sig, tex_Way, tex_Way2
  const char* bitmaps[7];   // Mission, Font, Tachometer, Back, SPEEDMETER, 32-pixel cream, orange
};
extern const RaceResourceNames kRaceResourceNames;

void EnterRace();
// Loads every race resource; a missing picture shows its message box and asks for
// SCENE_EXIT, a missing model or texture leaves the race running without it.
void LoadRaceResources();
// The same under other names (a test's way to make one of them fail).
void LoadRaceResources(const RaceResourceNames& names);
// Releases the race's own resources (the shared fonts belong to ReleaseSceneSurfaces).
void ReleaseRaceResources();
