// The Direct3D half of the display: the 3D device on the back buffer, its Z-buffer, the
// viewport, the black background, the light and the material every model is drawn with.
#include <cfloat>
#include <cmath>

#include "app/debug_log.h"
#include "app/step_trace_win32.h"
#include "app/win_globals.h"
#include "display/display_win32.h"

namespace {
struct DeviceChoice {
  const GUID* guid;
  const char* found_message;
  bool hardware;
};

// Fastest first; the software rasterisers always exist.
const DeviceChoice kDevices[] = {
    {&IID_IDirect3DHALDevice, "HAL Device が見つかりました。\n", true},
    {&IID_IDirect3DMMXDevice, "MMX Device が見つかりました。\n", false},
    {&IID_IDirect3DRGBDevice, "RGB Device が見つかりました。\n", false},
};

HRESULT CALLBACK TakeSixteenBitDepth(LPDDPIXELFORMAT format, LPVOID context) {
  if ((format->dwFlags & DDPF_ZBUFFER) && format->dwZBufferBitDepth == 16) {
    *static_cast<DDPIXELFORMAT*>(context) = *format;
    return D3DENUMRET_CANCEL;
  }
  return D3DENUMRET_OK;
}

const DeviceChoice* CreateDevice(int32_t softwareDevice) {
  DisplayContext& d = display_context;
  if (softwareDevice != 0) WriteLog("強制 HEL モードで起動しています。\n");
  for (const DeviceChoice& choice : kDevices) {
    if (choice.hardware && softwareDevice != 0) continue;
    if (SUCCEEDED(d.direct3d->CreateDevice(*choice.guid, d.back_buffer, &d.device, nullptr))) {
      WriteLog("%s", choice.found_message);
      return &choice;
    }
    d.device = nullptr;
  }
  return nullptr;
}

bool CreateZBuffer(const DeviceChoice& device) {
  DisplayContext& d = display_context;
  DDPIXELFORMAT depth = {};
  d.direct3d->EnumZBufferFormats(*device.guid, &TakeSixteenBitDepth, &depth);

  DDSURFACEDESC2 desc = {};
  desc.dwSize = sizeof desc;
  desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
  desc.dwWidth = static_cast<DWORD>(d.width);
  desc.dwHeight = static_cast<DWORD>(d.height);
  desc.ddpfPixelFormat = depth;
  desc.ddsCaps.dwCaps = DDSCAPS_ZBUFFER;
  // The software rasterisers read depth with the processor: keep it in system memory.
  if (!device.hardware) desc.ddsCaps.dwCaps |= DDSCAPS_SYSTEMMEMORY;
  if (device.hardware) d.hardware_device = 1;
  // A device that offers no 16-bit depth format gets no Z-buffer; asking DirectDraw for one
  // in an empty format would be a guess.
  if (depth.dwSize == 0 ||
      FAILED(d.direct_draw->CreateSurface(&desc, &d.z_buffer, nullptr))) {
    d.z_buffer = nullptr;
    WriteLog("Zバッファサーフェイスの作成に失敗\n");
    return false;
  }
  if (FAILED(d.back_buffer->AddAttachedSurface(d.z_buffer))) {
    WriteLog("Zバッファをバックバッファに関連付けに失敗\n");
    return false;
  }
  return true;
}

// The viewport maps the camera's view onto the whole picture; x runs -1..1 and y keeps the
// picture's aspect (0.75 for 640x480).
void SetUpViewport() {
  DisplayContext& d = display_context;
  if (FAILED(d.direct3d->CreateViewport(&d.viewport, nullptr))) {
    d.viewport = nullptr;
    return;
  }
  d.device->AddViewport(d.viewport);
  d.device->SetCurrentViewport(d.viewport);
  d.device->SetRenderTarget(d.back_buffer, 0);
  const float aspect = static_cast<float>(d.height) / static_cast<float>(d.width);
  D3DVIEWPORT2 view = {};
  view.dwSize = sizeof view;
  view.dwX = 0;
  view.dwY = 0;
  view.dwWidth = static_cast<DWORD>(d.width);
  view.dwHeight = static_cast<DWORD>(d.height);
  view.dvClipX = -1.0f;
  view.dvClipY = aspect;
  view.dvClipWidth = 2.0f;
  view.dvClipHeight = 2.0f * aspect;
  view.dvMinZ = 0.0f;
  view.dvMaxZ = 1.0f;
  d.viewport->SetViewport2(&view);
}

IDirect3DMaterial3* MakeMaterial(const D3DMATERIAL& values, D3DMATERIALHANDLE* handle) {
  DisplayContext& d = display_context;
  IDirect3DMaterial3* material = nullptr;
  *handle = 0;
  if (FAILED(d.direct3d->CreateMaterial(&material, nullptr))) return nullptr;
  D3DMATERIAL copy = values;
  material->SetMaterial(&copy);
  material->GetHandle(d.device, handle);
  return material;
}

void SetUpLighting() {
  DisplayContext& d = display_context;

  D3DMATERIAL black = {};
  black.dwSize = sizeof black;
  black.dwRampSize = 1;
  D3DMATERIALHANDLE background = 0;
  d.background_material = MakeMaterial(black, &background);
  if (d.viewport != nullptr && background != 0) d.viewport->SetBackground(background);

  d.device->SetLightState(D3DLIGHTSTATE_AMBIENT, 0x969696);  // grey 150, 150, 150

  D3DLIGHT2 point = {};
  point.dwSize = sizeof point;
  point.dltType = D3DLIGHT_POINT;
  point.dcvColor.r = 1.0f;
  point.dcvColor.g = 1.0f;
  point.dcvColor.b = 1.0f;
  point.dcvColor.a = 0.0f;
  point.dvPosition.x = 2500.0f;
  point.dvPosition.y = 5000.0f;
  point.dvPosition.z = -1000.0f;
  point.dvRange = D3DLIGHT_RANGE_MAX;
  point.dvAttenuation0 = 1.0f;
  point.dvAttenuation1 = 0.0f;
  point.dvAttenuation2 = 0.0f;
  point.dwFlags = D3DLIGHT_ACTIVE | D3DLIGHT_NO_SPECULAR;
  if (SUCCEEDED(d.direct3d->CreateLight(&d.light, nullptr))) {
    d.light->SetLight(reinterpret_cast<D3DLIGHT*>(&point));
    if (d.viewport != nullptr) d.viewport->AddLight(d.light);
  } else {
    d.light = nullptr;
  }

  D3DMATERIAL grey = {};
  grey.dwSize = sizeof grey;
  grey.diffuse.r = grey.diffuse.g = grey.diffuse.b = 0.5f;
  grey.diffuse.a = 0.0f;
  grey.ambient.r = grey.ambient.g = grey.ambient.b = 0.7f;
  grey.ambient.a = 0.0f;
  grey.dwRampSize = 1;
  D3DMATERIALHANDLE surface = 0;
  d.material = MakeMaterial(grey, &surface);
  d.device->SetLightState(D3DLIGHTSTATE_MATERIAL, surface);
}
}  // namespace

bool SetUpDirect3D(int32_t softwareDevice) {
  DisplayContext& d = display_context;
  if (FAILED(d.direct_draw->QueryInterface(IID_IDirect3D3,
                                           reinterpret_cast<void**>(&d.direct3d)))) {
    d.direct3d = nullptr;
    ShowMessageBox("Direct3D3 オブジェクトの作成失敗", "ERROR");
    return false;
  }

  const DeviceChoice* device = CreateDevice(softwareDevice);
  TraceStep("Direct3D device");
  if (device == nullptr) {
    ShowMessageBox("D3D Device作成失敗", "ERROR");
    return false;
  }
  if (!CreateZBuffer(*device)) return false;
  TraceStep("Z-buffer");

  SetUpViewport();
  SetUpLighting();
  return true;
}
