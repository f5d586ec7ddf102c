// The race's pictures, models and textures: loaded on entering the race and after a display
// rebuild, released with every scene change.
#pragma once

#include <windows.h>
#include <ddraw.h>
#include <d3d.h>

#include "gfx3d/device_model_d3d.h"

constexpr int kSignalLampModels = 6;  // "sig0".."sig5", indexed by SignalLamps

// Empty while the race is not loaded. The textures are tex_sig, tex_Way and tex_Way2.
extern DeviceModel course_model;   // one 20 m road segment
extern DeviceModel pool_model;     // the gantry every 100 m
extern DeviceModel board_model;    // the sign on each gantry
extern DeviceModel sig_box_model;  // the housing of a signal lamp
extern DeviceModel sig_models[kSignalLampModels];
extern DeviceModel sigpool_model;  // the signal's stand

// The needles' transformed and lit vertices.
constexpr DWORD kNeedleVertexFormat =
    D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_SPECULAR | D3DFVF_TEX1;
// The tachometer's and the speedometer's needle, each rewritten in place every frame rather
// than handed to the device (see gfx3d/vertex_buffer_d3d.h); none: drawn from RaceState.
extern IDirect3DVertexBuffer* needle_vertex_buffers[2];

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
