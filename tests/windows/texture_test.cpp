// The texture loader on the game display's Direct3D device under Wine: the surface it makes
// and the texels after Lock.
#include <gtest/gtest.h>

#include <windows.h>
#include <ddraw.h>
#include <d3d.h>

#include <vector>

#include "app/win_globals.h"
#include "display/display_win32.h"
#include "gfx3d/texture_d3d.h"
#include "windows_test_support.h"

namespace {
using namespace windows_test;

void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// An 8 x 4 bitmap, stored bottom row first: the first stored row is index 1 (red) but for a
// white first pixel, the last stored row starts with index 2 (blue); everything else is 0
// (black).
enum : uint8_t { kBlack = 0, kRed = 1, kBlue = 2, kWhite = 3 };
std::vector<uint8_t> TestBitmap(uint16_t bitCount = 8) {
  const int width = 8, height = 4;
  std::vector<uint8_t> bytes(40 + 1024 + width * height, 0);
  PutU32(bytes, 0, 40);
  PutU32(bytes, 4, width);
  PutU32(bytes, 8, height);
  bytes[12] = 1;
  bytes[14] = static_cast<uint8_t>(bitCount);
  auto colour = [&](int index, uint8_t red, uint8_t green, uint8_t blue) {
    bytes[40 + 4 * index] = blue;
    bytes[40 + 4 * index + 1] = green;
    bytes[40 + 4 * index + 2] = red;
  };
  colour(kRed, 255, 0, 0);
  colour(kBlue, 0, 0, 255);
  colour(kWhite, 255, 255, 255);
  uint8_t* pixels = bytes.data() + 1064;
  for (int x = 0; x < width; ++x) pixels[x] = kRed;  // first stored row: the bottom one
  pixels[0] = kWhite;
  pixels[(height - 1) * width] = kBlue;  // last stored row: the top one
  return bytes;
}

class TextureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_TRUE(CreateDisplay(window, 640, 480, 1, 0));
    device_ = display_context.device;
  }
  void TearDown() override {
    ReleaseTexture(texture);
    ReleaseDisplay();
    DestroyWindow(window);
    window = nullptr;
  }
  // Into system memory, as for a software device.
  int Load(const std::vector<uint8_t>& bytes) {
    return LoadTextureFromBitmap(texture, bytes.data(), bytes.size(), device_,
                                 display_context.direct_draw, 0);
  }
  IDirect3DDevice3* device_ = nullptr;
  Texture texture;
};

struct ReadBack {
  DDPIXELFORMAT format = {};
  DWORD caps = 0;
  std::vector<std::vector<uint16_t>> rows;
};

ReadBack Read(IDirectDrawSurface4* surface) {
  ReadBack back;
  back.format.dwSize = sizeof(back.format);
  EXPECT_EQ(DD_OK, surface->GetPixelFormat(&back.format));
  DDSURFACEDESC2 locked = {};
  locked.dwSize = sizeof(locked);
  EXPECT_EQ(DD_OK, surface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr));
  back.caps = locked.ddsCaps.dwCaps;
  for (DWORD y = 0; y < locked.dwHeight; ++y) {
    const auto* row = reinterpret_cast<const uint16_t*>(
        static_cast<const uint8_t*>(locked.lpSurface) + y * locked.lPitch);
    back.rows.emplace_back(row, row + locked.dwWidth);
  }
  surface->Unlock(nullptr);
  return back;
}

}  // namespace

TEST_F(TextureTest, BitmapBecomesAnOpaqueUprightSixteenBitTexture) {
  ASSERT_EQ(1, Load(TestBitmap()));
  ASSERT_NE(nullptr, texture.surface);
  ASSERT_NE(nullptr, texture.texture);
  EXPECT_EQ(device_, texture.device);

  const ReadBack back = Read(texture.surface);
  EXPECT_EQ(16u, back.format.dwRGBBitCount);
  EXPECT_NE(0u, back.format.dwFlags & DDPF_RGB);
  EXPECT_NE(0u, back.caps & DDSCAPS_TEXTURE);
  EXPECT_NE(0u, back.caps & DDSCAPS_SYSTEMMEMORY);
  ASSERT_EQ(4u, back.rows.size());
  ASSERT_EQ(8u, back.rows[0].size());

  // Full channels come out as whole masks whatever 16-bit format the device offered, and
  // every texel carries the whole alpha mask.
  const uint16_t alpha = static_cast<uint16_t>(back.format.dwRGBAlphaBitMask);
  const uint16_t red = static_cast<uint16_t>(back.format.dwRBitMask | alpha);
  const uint16_t blue = static_cast<uint16_t>(back.format.dwBBitMask | alpha);
  const uint16_t white = static_cast<uint16_t>(back.format.dwRBitMask | back.format.dwGBitMask |
                                               back.format.dwBBitMask | alpha);
  EXPECT_EQ(blue, back.rows[0][0]);   // first pixel of the last stored row
  EXPECT_EQ(alpha, back.rows[0][1]);  // black
  EXPECT_EQ(white, back.rows[3][0]);  // first pixel of the first stored row
  for (int x = 1; x < 8; ++x) EXPECT_EQ(red, back.rows[3][x]) << x;
  for (const auto& row : back.rows) {
    for (uint16_t texel : row) EXPECT_EQ(alpha, texel & alpha);
  }
  // The device takes it.
  EXPECT_EQ(D3D_OK, device_->SetTexture(0, texture.texture));
  EXPECT_EQ(D3D_OK, device_->SetTexture(0, nullptr));
}

TEST_F(TextureTest, RefusedBitmapLeavesTheRecordEmptyAndKeepsTheDevice) {
  ASSERT_EQ(1, Load(TestBitmap()));
  EXPECT_EQ(0, Load(TestBitmap(24)));
  EXPECT_EQ(nullptr, texture.surface);
  EXPECT_EQ(nullptr, texture.texture);
  EXPECT_EQ(device_, texture.device);
  EXPECT_EQ(0, LoadTexture(texture, "NO_SUCH_TEXTURE", device_, display_context.direct_draw, 0));
  EXPECT_EQ(device_, texture.device);
  ReleaseTexture(texture);
  ReleaseTexture(texture);
  EXPECT_EQ(device_, texture.device);
}
