// The texture loader on the game display's Direct3D device under Wine. What the textures look
// like on the road and the signal is guarded by the golden pictures.
#include <gtest/gtest.h>

#include <windows.h>
#include <ddraw.h>
#include <d3d.h>

#include <vector>

#include "app/win_globals.h"
#include "display/display_win32.h"
#include "gfx3d/texture_d3d.h"
#include "../core/texture_test_bitmaps.h"
#include "windows_test_support.h"

namespace {
using namespace windows_test;

// An 8 x 4 bitmap with the given depth.
std::vector<uint8_t> TestBitmap(uint16_t bitCount = 8) {
  std::vector<uint8_t> bytes = texture_test::MakeDib(8, 4, {{}, {}, {}, {}});
  texture_test::PutU16(bytes, 14, bitCount);
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

}  // namespace

TEST_F(TextureTest, RefusedBitmapLeavesTheRecordEmptyAndKeepsTheDevice) {
  ASSERT_EQ(1, Load(TestBitmap()));
  EXPECT_EQ(D3D_OK, device_->SetTexture(0, texture.texture)) << "the device takes it";
  EXPECT_EQ(D3D_OK, device_->SetTexture(0, nullptr));
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
