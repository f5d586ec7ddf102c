// Shared by the display tests: a game-like window, and pixel reads from surfaces.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <ddraw.h>

#include <cstdint>
#include <vector>

#include "app/debug_log.h"
#include "app/debug_log_win32.h"
#include "app/settings.h"
#include "app/shell_win32.h"
#include "app/win_globals.h"
#include "display/bitmap_surface_win32.h"
#include "display/display_win32.h"
#include "windows_test_support.h"

namespace display_test {
using namespace windows_test;

// A game window for each case; the display and fonts a case made go with it.
class DisplayTest : public ::testing::Test {
 protected:
  // The game's styles, shown, with a 640x480 client area or thereabouts.
  void SetUp() override {
    window = hwnd_ = MakeWindow(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, nullptr,
                                WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE, 600, 400);
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
  }
  void TearDown() override {
    ReleaseSharedFonts();
    ReleaseDisplay();
    DestroyWindow(hwnd_);
    window = nullptr;
    debug_mode = 0;
  }
  HWND hwnd_ = nullptr;
};

// Every pixel of a surface as 32-bit values of its own format (16-bit formats widened), the
// unused bits of an X8R8G8B8 or X1R5G5B5 pixel cleared.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> values;
  uint32_t At(int x, int y) const { return values[static_cast<size_t>(y * width + x)]; }
};

inline Pixels ReadPixels(IDirectDrawSurface4* surface) {
  Pixels pixels;
  DDSURFACEDESC2 desc = {};
  desc.dwSize = sizeof desc;
  if (surface == nullptr ||
      FAILED(surface->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr))) {
    return pixels;
  }
  pixels.width = static_cast<int>(desc.dwWidth);
  pixels.height = static_cast<int>(desc.dwHeight);
  const int bytes = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount / 8);
  const DDPIXELFORMAT& format = desc.ddpfPixelFormat;
  const uint32_t used = (format.dwFlags & DDPF_RGB)
                            ? format.dwRBitMask | format.dwGBitMask | format.dwBBitMask
                            : 0xFFFFFFFFu;
  pixels.values.resize(static_cast<size_t>(pixels.width * pixels.height));
  for (int y = 0; y < pixels.height; ++y) {
    const auto* row = static_cast<const uint8_t*>(desc.lpSurface) + y * desc.lPitch;
    for (int x = 0; x < pixels.width; ++x) {
      uint32_t value = 0;
      for (int b = 0; b < bytes; ++b) value |= static_cast<uint32_t>(row[x * bytes + b]) << (8 * b);
      pixels.values[static_cast<size_t>(y * pixels.width + x)] = value & used;
    }
  }
  surface->Unlock(nullptr);
  return pixels;
}

inline DDPIXELFORMAT FormatOf(IDirectDrawSurface4* surface) {
  DDPIXELFORMAT format = {};
  format.dwSize = sizeof format;
  surface->GetPixelFormat(&format);
  return format;
}

}  // namespace display_test
