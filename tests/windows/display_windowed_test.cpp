// The display context in a window on a 1024x768 desktop: what CreateDisplay builds (what it
// shows, depth and colours included, is guarded by the golden pictures), the full-screen
// failure on a screen that cannot change its mode, the start in a window it leads to, and the
// keys held before the start.
#include "display/display_win32.h"

#include "app/scene_dispatcher.h"
#include "app/scene_state.h"
#include "app/settings.h"
#include "display_test_support.h"

namespace {
using namespace display_test;

using WindowedDisplayTest = DisplayTest;

std::vector<const void*> Interfaces() {
  const DisplayContext& d = display_context;
  return {d.direct_draw, d.primary,  d.back_buffer,         d.clipper, d.z_buffer, d.direct3d,
          d.device,      d.viewport, d.background_material, d.light,   d.material};
}

TEST_F(WindowedDisplayTest, BuildsEveryInterfaceAroundAnExactClientArea) {
  StartDebugLog();
  ASSERT_TRUE(CreateDisplay(hwnd_, 640, 480, 1, 0));
  const DisplayContext& d = display_context;
  const std::vector<const void*> made = Interfaces();
  for (size_t i = 0; i < made.size(); ++i) EXPECT_NE(made[i], nullptr) << "interface " << i;

  RECT client;
  GetClientRect(hwnd_, &client);
  EXPECT_EQ(client.right, 640) << "the window was made 600x400 outside";
  EXPECT_EQ(client.bottom, 480);

  // The clipper is the primary's and watches this window.
  IDirectDrawClipper* attached = nullptr;
  ASSERT_TRUE(SUCCEEDED(d.primary->GetClipper(&attached)));
  HWND clipped = nullptr;
  attached->GetHWnd(&clipped);
  attached->Release();
  EXPECT_EQ(clipped, hwnd_);

  EXPECT_EQ(d.hardware_device, Contains(ReadLog(), L"HAL Device が見つかりました。\n") ? 1 : 0);
  EXPECT_FALSE(Contains(ReadLog(), L"強制 HEL")) << "the setting was off";
}

TEST_F(WindowedDisplayTest, FullScreenOnAScreenThatCannotChangeModeFailsCleanly) {
  // This desktop is 1024x768 and the X server cannot switch it to 640x480.
  StartDebugLog();
  EXPECT_FALSE(CreateDisplay(hwnd_, 640, 480, 0, 0));
  EXPECT_TRUE(Contains(ReadLog(), L"ディスプレイモードの設定に失敗\n")) << ReadLog();
  ReleaseDisplay();
  EXPECT_EQ(Interfaces(), std::vector<const void*>(Interfaces().size(), nullptr));
  // Exclusive mode was given back: the window can have its display again.
  EXPECT_TRUE(CreateDisplay(hwnd_, 640, 480, 1, 0));
}

TEST_F(WindowedDisplayTest, AStoredFullScreenStartsInAWindowAndEarlyKeysWait) {
  // No vorta.ini: the game asks for full screen, which this desktop cannot give.
  ScratchFolder folder;
  instance = GetModuleHandleA(nullptr);
  MessageBoxWatcher watcher;
  scene_state = SCENE_BOOT;
  // Held while the game starts, Esc and F2 must neither skip nor disturb the boot step.
  EXPECT_EQ(OnKeyDown(hwnd_, WM_KEYDOWN, VK_ESCAPE, 0), 1);
  EXPECT_EQ(OnKeyDown(hwnd_, WM_KEYDOWN, VK_F2, 0), 1);
  EXPECT_EQ(scene_state, SCENE_BOOT);
  DispatchScene(false, GameSceneServices());
  EXPECT_EQ(scene_state, SCENE_TITLE_ENTER) << "the start failed on the mode";
  EXPECT_EQ(windowed, 1) << "the exit would store the mode that cannot be shown";
  EXPECT_EQ(display_context.windowed, 1);
  ShutDown();
}
}  // namespace
