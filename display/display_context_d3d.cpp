// The DirectDraw half of the display: driver choice, the window or full-screen surfaces, and
// the teardown of everything.
#include "display/display_win32.h"

#include "app/debug_log.h"
#include "app/step_trace_win32.h"

DisplayContext display_context;

namespace {
bool DrawsThreeDimensions(IDirectDraw* candidate) {
  DDCAPS hardware = {};
  hardware.dwSize = sizeof hardware;
  DDCAPS emulation = {};
  emulation.dwSize = sizeof emulation;
  return SUCCEEDED(candidate->GetCaps(&hardware, &emulation)) &&
         (hardware.dwCaps & DDCAPS_3D) && (hardware.ddsCaps.dwCaps & DDSCAPS_TEXTURE);
}

// The first driver that draws 3D and textures in hardware wins, even a secondary card: a
// picture drawn there beats the primary card's software path, in a window too. The primary
// display driver, which the enumeration names first and without a GUID, has been tried
// already.
BOOL WINAPI TakeThreeDimensionalDriver(GUID* guid, LPSTR description, LPSTR name,
                                       LPVOID context) {
  if (guid == nullptr) return DDENUMRET_OK;
  auto* chosen = static_cast<IDirectDraw**>(context);
  IDirectDraw* candidate = nullptr;
  if (FAILED(DirectDrawCreate(guid, &candidate, nullptr)) || candidate == nullptr) {
    return DDENUMRET_OK;
  }
  if (DrawsThreeDimensions(candidate)) {
    *chosen = candidate;
    return DDENUMRET_CANCEL;
  }
  candidate->Release();
  return DDENUMRET_OK;
}

// The primary display driver is tried before the others are enumerated: the enumeration
// names it first, so when it draws 3D it is the one the enumeration would choose, and the
// enumeration is skipped. Under Wine the enumeration and every DirectDraw object each set up
// the whole 3D driver behind them: the enumeration cost the game 0.3 s of processor time here.
IDirectDraw* ChooseDriver() {
  IDirectDraw* primary = nullptr;
  if (FAILED(DirectDrawCreate(nullptr, &primary, nullptr))) primary = nullptr;
  if (primary != nullptr && DrawsThreeDimensions(primary)) return primary;
  IDirectDraw* chosen = nullptr;
  DirectDrawEnumerateA(&TakeThreeDimensionalDriver, &chosen);
  if (chosen == nullptr) return primary;
  if (primary != nullptr) primary->Release();
  return chosen;
}

// The driver PrepareDisplayDriver opened, until a CreateDisplay takes it.
IDirectDraw* prepared_driver = nullptr;

bool CreateWindowedSurfaces() {
  DisplayContext& d = display_context;
  if (FAILED(d.direct_draw->SetCooperativeLevel(d.window, DDSCL_NORMAL))) {
    WriteLog("DirectDrawの協調に失敗\n");
    return false;
  }

  // The frame sizes differ between systems and themes: measure them and grow the window
  // around an exact 640x480 client area.
  RECT window_rect;
  RECT client_rect;
  GetWindowRect(d.window, &window_rect);
  GetClientRect(d.window, &client_rect);
  const int frame_width = (window_rect.right - window_rect.left) - client_rect.right;
  const int frame_height = (window_rect.bottom - window_rect.top) - client_rect.bottom;
  SetWindowPos(d.window, nullptr, 0, 0, d.width + frame_width, d.height + frame_height,
               SWP_NOMOVE | SWP_NOZORDER);

  DDSURFACEDESC2 primary = {};
  primary.dwSize = sizeof primary;
  primary.dwFlags = DDSD_CAPS;
  primary.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
  if (FAILED(d.direct_draw->CreateSurface(&primary, &d.primary, nullptr))) {
    d.primary = nullptr;
    WriteLog("プライマリーサーフェイスの作成に失敗\n");
    return false;
  }

  if (FAILED(d.direct_draw->CreateClipper(0, &d.clipper, nullptr))) {
    d.clipper = nullptr;
    WriteLog("クリッパーの作成に失敗\n");
    return false;
  }
  if (FAILED(d.clipper->SetHWnd(0, d.window))) {
    WriteLog("クリッパーの関連付けに失敗\n");
    return false;
  }
  if (FAILED(d.primary->SetClipper(d.clipper))) {
    WriteLog("クリッパーの設定に失敗\n");
    return false;
  }

  DDSURFACEDESC2 back = {};
  back.dwSize = sizeof back;
  back.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
  back.dwWidth = static_cast<DWORD>(d.width);
  back.dwHeight = static_cast<DWORD>(d.height);
  back.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE;
  if (FAILED(d.direct_draw->CreateSurface(&back, &d.back_buffer, nullptr))) {
    d.back_buffer = nullptr;
    WriteLog("バックバッファサーフェイスの作成に失敗\n");
    return false;
  }
  return true;
}

bool CreateFullScreenSurfaces() {
  DisplayContext& d = display_context;
  // Refused only when another program holds the screen; the mode change below then fails
  // and says so.
  d.direct_draw->SetCooperativeLevel(
      d.window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_FPUSETUP);
  if (FAILED(d.direct_draw->SetDisplayMode(static_cast<DWORD>(d.width),
                                           static_cast<DWORD>(d.height), 16, 0, 0))) {
    WriteLog("ディスプレイモードの設定に失敗\n");
    return false;
  }

  DDSURFACEDESC2 primary = {};
  primary.dwSize = sizeof primary;
  primary.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
  primary.ddsCaps.dwCaps =
      DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_3DDEVICE;
  primary.dwBackBufferCount = 1;
  if (FAILED(d.direct_draw->CreateSurface(&primary, &d.primary, nullptr))) {
    d.primary = nullptr;
    WriteLog("プライマリーサーフェイスの作成に失敗\n");
    return false;
  }

  DDSCAPS2 back_caps = {};
  back_caps.dwCaps = DDSCAPS_BACKBUFFER;
  if (FAILED(d.primary->GetAttachedSurface(&back_caps, &d.back_buffer))) {
    d.back_buffer = nullptr;
    WriteLog("バックバッファのアタッチ失敗\n");
    return false;
  }
  return true;
}

// An unreadable format leaves every channel empty: colour fills are then black, which is
// still what the scenes clear with.
void ReadPrimaryLayout() {
  DisplayContext& d = display_context;
  DDPIXELFORMAT format = {};
  format.dwSize = sizeof format;
  if (FAILED(d.primary->GetPixelFormat(&format))) return;
  d.channels = ReadChannelLayout(format.dwRBitMask, format.dwGBitMask, format.dwBBitMask,
                                 format.dwRGBAlphaBitMask, format.dwRGBBitCount);
}
}  // namespace

bool CreateDisplay(HWND window, int32_t width, int32_t height, int32_t windowed,
                   int32_t softwareDevice) {
  IDirectDraw* first = prepared_driver;
  prepared_driver = nullptr;
  // A second create without a release would lose every interface of the first.
  ReleaseDisplay();

  DisplayContext& d = display_context;
  d.window = window;
  d.width = width;
  d.height = height;
  d.windowed = windowed != 0 ? 1 : 0;
  d.hardware_device = 0;
  d.clear_rect = {0, 0, width, height};
  d.channels = ChannelLayout();

  if (first == nullptr) first = ChooseDriver();
  TraceStep("DirectDraw driver");
  if (first == nullptr) return false;
  const HRESULT query =
      first->QueryInterface(IID_IDirectDraw4, reinterpret_cast<void**>(&d.direct_draw));
  first->Release();
  if (FAILED(query)) {
    d.direct_draw = nullptr;
    return false;
  }

  if (!(d.windowed ? CreateWindowedSurfaces() : CreateFullScreenSurfaces())) return false;
  TraceStep("DirectDraw surfaces");

  if (!SetUpDirect3D(softwareDevice)) {
    WriteLog("Direct3D初期化に失敗\n");
    return false;
  }
  ReadPrimaryLayout();
  return true;
}

void PrepareDisplayDriver() {
  if (prepared_driver == nullptr) prepared_driver = ChooseDriver();
  TraceStep("display driver");
}

void ReleaseDisplay() {
  ReleaseInterface(prepared_driver);
  DisplayContext& d = display_context;
  ReleaseInterface(d.viewport);
  ReleaseInterface(d.device);
  ReleaseInterface(d.direct3d);
  ReleaseInterface(d.background_material);
  ReleaseInterface(d.light);
  ReleaseInterface(d.material);
  ReleaseInterface(d.clipper);
  ReleaseInterface(d.z_buffer);
  ReleaseInterface(d.back_buffer);
  ReleaseInterface(d.primary);
  if (d.direct_draw != nullptr) {
    d.direct_draw->RestoreDisplayMode();
    d.direct_draw->SetCooperativeLevel(d.window, DDSCL_NORMAL | DDSCL_ALLOWREBOOT);
    ReleaseInterface(d.direct_draw);
  }
}

uint32_t PackColor(uint8_t red, uint8_t green, uint8_t blue) {
  return PackColorFor(display_context.channels, red, green, blue);
}
