// The display in full screen on a 640x480 desktop: the 16-bit mode with its complex primary
// and a presentation that copies rather than flips. (Surfaces lost to another program and
// restored: the core's lost-picture steps and the focus test, in the whole game.)
#include "display/display_win32.h"

#include "app/scene_state.h"
#include "display/drawing_win32.h"
#include "display_test_support.h"

namespace {
using namespace display_test;

TEST_F(DisplayTest, FullScreenModeAndAPresentationThatCopies) {
  scene_state = SCENE_TITLE;
  StartDebugLog();
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
}

}  // namespace
