// The display context: the one object that owns every DirectDraw and Direct3D interface of
// the game, from start-up to shut-down, rebuilt whole when the player switches between a
// window and full screen.
#pragma once

#include <windows.h>
#include <ddraw.h>
#include <d3d.h>

#include <cstdint>

#include "display/pixel_layout.h"

struct DisplayContext {
  int32_t width = 0;             // pixels, 640
  int32_t height = 0;            // pixels, 480
  int32_t hardware_device = 0;   // 1 when the 3D device is the hardware (HAL) one
  HWND window = nullptr;
  int32_t windowed = 0;          // non-zero: in a window; 0: full screen
  RECT clear_rect = {0, 0, 0, 0};  // the whole picture; the race clears its viewport with it
  IDirectDraw4* direct_draw = nullptr;
  IDirectDrawSurface4* primary = nullptr;
  IDirectDrawSurface4* back_buffer = nullptr;  // every scene draws here; the 3D render target
  IDirectDrawClipper* clipper = nullptr;       // windowed only
  IDirectDrawSurface4* z_buffer = nullptr;
  IDirect3D3* direct3d = nullptr;
  IDirect3DDevice3* device = nullptr;
  IDirect3DViewport3* viewport = nullptr;
  IDirect3DMaterial3* background_material = nullptr;  // black, so viewport clears are black
  IDirect3DLight* light = nullptr;
  IDirect3DMaterial3* material = nullptr;  // the one material of all 3D drawing
  ChannelLayout channels;                  // of the primary's pixel format
};

extern DisplayContext display_context;

// Opens the display driver ahead of the display, before the game's window exists: under Wine
// that is most of the start-up (the whole 3D driver is set up behind it), and done first it
// leaves the window blank for no time at all. The next CreateDisplay takes it.
void PrepareDisplayDriver();

// Builds the whole display for a width x height picture in the window or in full screen
// (640x480 at 16 bits). false after the failure's log line or message box; what was made so
// far stays for the caller's ReleaseDisplay.
bool CreateDisplay(HWND window, int32_t width, int32_t height, int32_t windowed,
                   int32_t softwareDevice);

// Releases everything that exists, gives the display mode back and leaves exclusive mode.
// Safe on an empty context and when called twice.
void ReleaseDisplay();

// An 8-bit-per-channel colour as a pixel value of the back buffer.
uint32_t PackColor(uint8_t red, uint8_t green, uint8_t blue);

// The Direct3D half of CreateDisplay: device, Z-buffer, viewport, lights and material.
bool SetUpDirect3D(int32_t softwareDevice);

// Releases a COM interface and empties its handle; an empty handle is skipped.
template <typename Interface>
void ReleaseInterface(Interface*& handle) {
  if (handle != nullptr) {
    handle->Release();
    handle = nullptr;
  }
}
