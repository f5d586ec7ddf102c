// The display in full screen on a 640x480 desktop: the 16-bit mode with its complex primary,
// a presentation that copies rather than flips, the rebuild between window and full screen,
// and lost surfaces when another window takes the screen.
#include "display/display_win32.h"

#include "app/scene_state.h"
#include "app/settings.h"
#include "app/shell_win32.h"
#include "display/drawing_win32.h"
#include "display_test_support.h"

namespace {
using namespace display_test;

class FullScreenDisplayTest : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    scene_state = SCENE_TITLE;
    software_device = 0;
  }
};

TEST_F(FullScreenDisplayTest, SixteenBitModeWithAnAttachedBackBuffer) {
  StartFreshLog();
  ASSERT_TRUE(CreateDisplay(hwnd_, 640, 480, 0, 0)) << ReadLog();
  const DisplayContext& d = display_context;
  EXPECT_EQ(d.windowed, 0);
  EXPECT_EQ(d.clipper, nullptr) << "full screen needs no clipper";
  ASSERT_NE(d.back_buffer, nullptr);
  ASSERT_NE(d.device, nullptr);

  const DDPIXELFORMAT format = FormatOf(d.primary);
  EXPECT_EQ(format.dwRGBBitCount, 16u);
  EXPECT_EQ(PackColor(255, 0, 0), format.dwRBitMask);
  EXPECT_EQ(PackColor(0, 255, 0), format.dwGBitMask);
  EXPECT_EQ(PackColor(0, 0, 255), format.dwBBitMask);
  const uint32_t white = format.dwGBitMask == 0x07E0 ? 0xFFFFu : 0x7FFFu;  // 5-6-5 or 5-5-5
  EXPECT_EQ(PackColor(255, 255, 255), white);

  DDSCAPS2 caps = {};
  ASSERT_TRUE(SUCCEEDED(d.primary->GetCaps(&caps)));
  EXPECT_TRUE(caps.dwCaps & DDSCAPS_FLIP);
  EXPECT_TRUE(caps.dwCaps & DDSCAPS_PRIMARYSURFACE);
  DDSCAPS2 backCaps = {};
  ASSERT_TRUE(SUCCEEDED(d.back_buffer->GetCaps(&backCaps)));
  EXPECT_TRUE(backCaps.dwCaps & DDSCAPS_BACKBUFFER);
  EXPECT_TRUE(backCaps.dwCaps & DDSCAPS_3DDEVICE);
  EXPECT_EQ(SizeOf(d.back_buffer).width, 640);
}

TEST_F(FullScreenDisplayTest, PresentationCopiesAndNeverFlips) {
  ASSERT_TRUE(CreateDisplay(hwnd_, 640, 480, 0, 0));
  const DisplayContext& d = display_context;
  const uint32_t magenta = PackColor(255, 0, 255);
  const uint32_t cyan = PackColor(0, 255, 255);
  ASSERT_TRUE(FillBackBuffer(d.clear_rect, magenta));
  RECT corner = {600, 440, 640, 480};
  ASSERT_TRUE(FillBackBuffer(corner, cyan));
  ShowBackBuffer();

  const Pixels front = ReadPixels(d.primary);
  ASSERT_EQ(front.width, 640);
  EXPECT_EQ(front.At(10, 10), magenta);
  EXPECT_EQ(front.At(620, 460), cyan) << "copied to (0, 0), whole";
  const Pixels back = ReadPixels(d.back_buffer);
  EXPECT_EQ(back.At(10, 10), magenta) << "a flip would have swapped the old front in";
  EXPECT_EQ(back.At(620, 460), cyan);
}

TEST_F(FullScreenDisplayTest, RebuildSwitchesBetweenWindowAndFullScreen) {
  window = hwnd_;
  ASSERT_TRUE(CreateDisplay(hwnd_, 640, 480, 0, 0));
  LoadSmallFont();

  ASSERT_TRUE(RebuildDisplay(1));
  EXPECT_EQ(display_context.windowed, 1);
  EXPECT_NE(display_context.clipper, nullptr);
  // The exact 640x480 client area is checked on a desktop-sized screen (the windowed test):
  // on this 640x480 screen a window with a caption cannot be that tall, and the X server
  // clamps it to the screen.
  RECT client;
  GetClientRect(hwnd_, &client);
  EXPECT_EQ(client.right, 640);
  EXPECT_GT(client.bottom, 400);
  EXPECT_NE(lpDDSFontDFPOP16OTHER1, nullptr) << "the small font is loaded again";
  EXPECT_EQ(scene_state, SCENE_TITLE);
  EXPECT_TRUE(FillBackBuffer(display_context.clear_rect, PackColor(0, 0, 0)));
  DrawFrameRate();
  ShowBackBuffer();

  ASSERT_TRUE(RebuildDisplay(0));
  EXPECT_EQ(display_context.windowed, 0);
  EXPECT_EQ(FormatOf(display_context.primary).dwRGBBitCount, 16u);
  EXPECT_NE(lpDDSFontDFPOP16OTHER1, nullptr);
  EXPECT_TRUE(FillBackBuffer(display_context.clear_rect, PackColor(0, 0, 0)));
}

// The full screen loses its surfaces when another program is switched to (Alt+Tab); the
// program keeps running its frames meanwhile, and the pictures must be whole again once the
// player is back.
TEST_F(FullScreenDisplayTest, PicturesComeBackAfterTheScreenWasTakenAway) {
  ASSERT_TRUE(CreateDisplay(hwnd_, 640, 480, 0, 0));
  LoadSmallFont();
  ASSERT_NE(lpDDSFontDFPOP16OTHER1, nullptr);
  const std::vector<uint32_t> picture = SmallFontPicture();
  ASSERT_FALSE(picture.empty());
  ASSERT_TRUE(Spoil(lpDDSFontDFPOP16OTHER1));

  SendMessageA(hwnd_, WM_ACTIVATEAPP, FALSE, 0);  // the player switched away
  PumpMessages();
  ASSERT_EQ(display_context.primary->IsLost(), DDERR_SURFACELOST);
  EXPECT_TRUE(RecoverLostPictures());
  EXPECT_NE(ReadPixels(lpDDSFontDFPOP16OTHER1).values, picture)
      << "nothing is reloaded while the screen belongs to someone else";
  FillBackBuffer(display_context.clear_rect, PackColor(0, 0, 0));
  DrawFrameRate();
  ShowBackBuffer();  // frames go on meanwhile without harm

  SendMessageA(hwnd_, WM_ACTIVATEAPP, TRUE, 0);  // and came back
  PumpMessages();
  EXPECT_TRUE(RecoverLostPictures());
  EXPECT_EQ(scene_state, SCENE_TITLE);
  ASSERT_NE(lpDDSFontDFPOP16OTHER1, nullptr);
  EXPECT_EQ(ReadPixels(lpDDSFontDFPOP16OTHER1).values, picture) << "the font is whole again";
  EXPECT_NE(display_context.primary->IsLost(), DDERR_SURFACELOST);
  EXPECT_EQ(TakeLostPictureStep(), LostPictureStep::kNothing);
}
}  // namespace
