// The display in full screen on a 640x480 desktop: the 16-bit mode with its complex primary,
// a presentation that copies rather than flips, and lost surfaces when another window takes
// the screen; and a window on that desktop, which cannot show all of its picture.
#include "display/display_win32.h"

#include "app/scene_state.h"
#include "display/drawing_win32.h"
#include "display_test_support.h"

namespace {
using namespace display_test;

// What a lost video-memory surface may hold after its restore: anything but its picture.
inline bool Spoil(IDirectDrawSurface4* surface) {
  DDBLTFX fill = {};
  fill.dwSize = sizeof fill;
  fill.dwFillColor = PackColor(255, 0, 0);
  return SUCCEEDED(surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fill));
}

TEST_F(DisplayTest, FullScreenModePresentationAndTheScreenTakenAway) {
  scene_state = SCENE_TITLE;
  StartFreshLog();
  ASSERT_TRUE(CreateDisplay(hwnd_, 640, 480, 0, 0)) << ReadLog();
  const DisplayContext& d = display_context;
  EXPECT_EQ(d.clipper, nullptr) << "full screen needs no clipper";
  const DDPIXELFORMAT format = FormatOf(d.primary);
  EXPECT_EQ(format.dwRGBBitCount, 16u);
  EXPECT_EQ(PackColor(0, 255, 0), format.dwGBitMask);
  DDSCAPS2 caps = {};
  ASSERT_TRUE(SUCCEEDED(d.primary->GetCaps(&caps)));
  EXPECT_TRUE(caps.dwCaps & DDSCAPS_FLIP);
  ASSERT_TRUE(SUCCEEDED(d.back_buffer->GetCaps(&caps)));
  EXPECT_TRUE(caps.dwCaps & DDSCAPS_BACKBUFFER);
  EXPECT_TRUE(caps.dwCaps & DDSCAPS_3DDEVICE);

  // The presentation copies the whole back buffer to (0, 0) and never flips.
  const uint32_t magenta = PackColor(255, 0, 255);
  const uint32_t cyan = PackColor(0, 255, 255);
  ASSERT_TRUE(FillBackBuffer(d.clear_rect, magenta));
  ASSERT_TRUE(FillBackBuffer(RECT{600, 440, 640, 480}, cyan));
  ShowBackBuffer();
  for (IDirectDrawSurface4* surface : {d.primary, d.back_buffer}) {
    const Pixels shown = ReadPixels(surface);
    ASSERT_EQ(shown.width, 640);
    EXPECT_EQ(shown.At(10, 10), magenta) << "a flip would have swapped the old front in";
    EXPECT_EQ(shown.At(620, 460), cyan);
  }

  // Another program switched to (Alt+Tab): the frames go on, and the pictures must be whole
  // again once the player is back.
  LoadSmallFont();
  IDirectDrawSurface4* reference = LoadBitmapSurface(d.direct_draw, "font_dfpop_16_other1");
  const std::vector<uint32_t> picture = ReadPixels(reference).values;
  ReleaseInterface(reference);
  ASSERT_FALSE(picture.empty());
  ASSERT_TRUE(Spoil(lpDDSFontDFPOP16OTHER1));
  EXPECT_TRUE(RecoverLostPictures());
  EXPECT_NE(ReadPixels(lpDDSFontDFPOP16OTHER1).values, picture)
      << "without a loss nothing is reloaded";
  SendMessageA(hwnd_, WM_ACTIVATEAPP, FALSE, 0);
  PumpMessages();
  ASSERT_EQ(d.primary->IsLost(), DDERR_SURFACELOST);
  EXPECT_TRUE(RecoverLostPictures());
  EXPECT_NE(ReadPixels(lpDDSFontDFPOP16OTHER1).values, picture)
      << "nothing is reloaded while the screen belongs to someone else";
  FillBackBuffer(d.clear_rect, PackColor(0, 0, 0));
  DrawFrameRate();
  ShowBackBuffer();

  SendMessageA(hwnd_, WM_ACTIVATEAPP, TRUE, 0);
  PumpMessages();
  EXPECT_TRUE(RecoverLostPictures());
  EXPECT_EQ(scene_state, SCENE_TITLE);
  ASSERT_NE(lpDDSFontDFPOP16OTHER1, nullptr);
  EXPECT_EQ(ReadPixels(lpDDSFontDFPOP16OTHER1).values, picture) << "the font is whole again";
  EXPECT_NE(d.primary->IsLost(), DDERR_SURFACELOST);
  EXPECT_EQ(TakeLostPictureStep(), LostPictureStep::kNothing) << "reloaded once only";
}
TEST_F(DisplayTest, AWindowOnADesktopNoBiggerThanThePictureShowsThePartOnIt) {
  ASSERT_TRUE(CreateDisplay(hwnd_, 640, 480, 1, 0));
  const uint32_t magenta = PackColor(255, 0, 255);
  ASSERT_TRUE(FillBackBuffer(display_context.clear_rect, magenta));
  ShowBackBuffer();
  POINT origin = {0, 0};
  ClientToScreen(hwnd_, &origin);
  ASSERT_GT(origin.y + 480, 480) << "the frame pushes the picture past the screen's bottom";
  const Pixels shown = ReadPixels(display_context.primary);
  ASSERT_EQ(shown.height, 480);
  EXPECT_EQ(shown.At(origin.x + 10, origin.y + 10), magenta);
  EXPECT_EQ(shown.At(origin.x + 600, 470), magenta);
}

}  // namespace
