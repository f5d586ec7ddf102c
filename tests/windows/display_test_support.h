// Shared by the display tests: a game-like window, 8-bit bitmap files made on the spot,
// pixel reads from surfaces, and the small font's picture.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <ddraw.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "app/debug_log.h"
#include "app/settings.h"
#include "app/shell_win32.h"
#include "app/win_globals.h"
#include "display/bitmap_surface_win32.h"
#include "display/display_win32.h"
#include "windows_test_support.h"

namespace display_test {
using namespace windows_test;

struct Rgb {
  uint8_t r, g, b;
};

// A window with the game's styles, shown, with a 640x480 client area or thereabouts.
inline HWND MakeGameWindow() {
  HWND hwnd = MakeWindow(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, nullptr,
                         WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE, 600, 400);
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  window = hwnd;
  return hwnd;
}

// A game window for each case; the display and fonts a case made go with it.
class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override { hwnd_ = MakeGameWindow(); }
  void TearDown() override {
    ReleaseSharedFonts();
    ReleaseDisplay();
    DestroyWindow(hwnd_);
    window = nullptr;
    debug_mode = 0;
  }
  HWND hwnd_ = nullptr;
};

// A scene's pictures on the game's display in a window; released with the scene surfaces.
class WindowedSceneTest : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    windowed = 1;
    ASSERT_TRUE(CreateDisplay(hwnd_, 640, 480, 1, 0));
  }
  void TearDown() override {
    ReleaseSceneSurfaces();
    DisplayTest::TearDown();
  }
};

// Writes an uncompressed 8-bit Windows bitmap; pixels are palette indices, top row first.
inline bool WriteBitmap8(const char* path, int width, int height, const std::vector<Rgb>& palette,
                         const std::vector<uint8_t>& pixels) {
  const int stride = (width + 3) & ~3;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;  // bottom-up
  info.biPlanes = 1;
  info.biBitCount = 8;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(stride * height);
  info.biClrUsed = 256;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info + 256 * 4;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::FILE* out = std::fopen(path, "wb");
  if (out == nullptr) return false;
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&info, sizeof info, 1, out);
  for (int i = 0; i < 256; ++i) {
    const Rgb c = i < static_cast<int>(palette.size()) ? palette[i] : Rgb{0, 0, 0};
    const uint8_t quad[4] = {c.b, c.g, c.r, 0};
    std::fwrite(quad, 4, 1, out);
  }
  std::vector<uint8_t> row(static_cast<size_t>(stride), 0);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) row[x] = pixels[static_cast<size_t>(y * width + x)];
    std::fwrite(row.data(), 1, row.size(), out);
  }
  std::fclose(out);
  return true;
}

struct SurfaceSize {
  int width = 0;
  int height = 0;
};

inline SurfaceSize SizeOf(IDirectDrawSurface4* surface) {
  DDSURFACEDESC2 desc = {};
  desc.dwSize = sizeof desc;
  SurfaceSize size;
  if (surface != nullptr && SUCCEEDED(surface->GetSurfaceDesc(&desc))) {
    size.width = static_cast<int>(desc.dwWidth);
    size.height = static_cast<int>(desc.dwHeight);
  }
  return size;
}

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

// Logging on, into a fresh .\vorta.log.
inline void StartFreshLog() {
  DeleteFileA(".\\vorta.log");
  debug_mode = 1;
}

// What a lost video-memory surface may hold after its restore: anything but its picture.
inline bool Spoil(IDirectDrawSurface4* surface) {
  DDBLTFX fill = {};
  fill.dwSize = sizeof fill;
  fill.dwFillColor = PackColor(255, 0, 0);
  return SUCCEEDED(surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fill));
}

// The small font's picture as the executable carries it.
inline std::vector<uint32_t> SmallFontPicture() {
  IDirectDrawSurface4* reference =
      LoadBitmapSurface(display_context.direct_draw, "font_dfpop_16_other1");
  const std::vector<uint32_t> picture = ReadPixels(reference).values;
  ReleaseInterface(reference);
  return picture;
}

}  // namespace display_test
