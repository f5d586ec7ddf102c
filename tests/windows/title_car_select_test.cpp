// The title and the car select screen on a real windowed display, read back pixel by pixel:
// the title at each moment of its opening, the graph's points where the scales put them, and
// a graph that comes back whole after the display is rebuilt.
#include "screens/title_win32.h"

#include <vector>

#include "app/scene_state.h"
#include "data/car_data_loader.h"
#include "data/car_table.h"
#include "display_test_support.h"
#include "screens/car_select.h"
#include "screens/car_select_win32.h"
#include "screens/title.h"

namespace {
using namespace display_test;

class ScreensTest : public WindowedSceneTest {
 protected:
  void TearDown() override {
    ReleaseCarData();
    WindowedSceneTest::TearDown();
  }
};

struct Piece {
  int sx, sy, width, height, dx, dy;
};

// The picture the pieces make, copied in order with black left out, over black.
std::vector<uint32_t> Composite(const Pixels& art, std::initializer_list<Piece> pieces) {
  std::vector<uint32_t> screen(640 * 480, 0);
  for (const Piece& p : pieces) {
    for (int y = 0; y < p.height; ++y) {
      for (int x = 0; x < p.width; ++x) {
        const uint32_t value = art.At(p.sx + x, p.sy + y);
        if (value != 0) screen[static_cast<size_t>((p.dy + y) * 640 + p.dx + x)] = value;
      }
    }
  }
  return screen;
}

int CountDifferences(const Pixels& back, const std::vector<uint32_t>& expected) {
  int differ = 0;
  for (size_t i = 0; i < expected.size(); ++i) differ += back.values[i] != expected[i];
  return differ;
}

constexpr uint32_t kNow = 100000;  // ms

// The title at kNow, slideMs into its slide and wipeMs into its wipe.
TitleState Opening(uint8_t phase, uint32_t slideMs, uint32_t wipeMs, int8_t cursor = 0) {
  TitleState state;
  state.title_phase = phase;
  state.title_cursor = cursor;
  state.delay_taken = state.slide_taken = state.wipe_taken = true;
  state.title_delay_end_ms = kNow + 500;
  state.slide_start_ms = kNow - slideMs;
  state.wipe_start_ms = kNow - wipeMs;
  return state;
}

TEST_F(ScreensTest, TitleAtEachMomentOfItsOpening) {
  scene_state = SCENE_TITLE;
  LoadTitleArt();
  ASSERT_NE(lpDDSTitle, nullptr);
  const Pixels art = ReadPixels(lpDDSTitle);
  const Piece banner{0, 432, 304, 80, 168, 390};
  const Piece wholeLogo{0, 0, 304, 160, 168, 40};
  struct Moment {
    const char* what;
    TitleState state;
    std::vector<uint32_t> expected;
  };
  const Moment moments[] = {
      {"banner only", Opening(0, 0, 0), Composite(art, {banner})},
      {"logo sliding, s = 100", Opening(1, 40, 0),
       Composite(art, {banner, {204, 0, 100, 160, 0, 40}, {0, 160, 101, 48, 539, 180}})},
      {"emblem half-wiped", Opening(2, 5000, 80 * 15),
       Composite(art, {banner, wholeLogo, {0, 160, 304, 48, 168, 180}, {0, 272, 304, 80, 168, 40}})},
      {"menu, cursor on item 2", Opening(3, 5000, 5000, 2),
       Composite(art, {banner, wholeLogo, {0, 160, 304, 48, 168, 180}, {0, 272, 304, 160, 168, 40},
                       {0, 512, 304, 160, 168, 230}, {0, 672, 304, 32, 168, 294}})},
  };
  for (const Moment& moment : moments) {
    title_state = moment.state;
    DrawTitleAt(kNow);
    EXPECT_EQ(CountDifferences(ReadPixels(display_context.back_buffer), moment.expected), 0)
        << moment.what;
  }
}

TEST_F(ScreensTest, GraphPointsStandWhereTheScalesPutThemAndComeBackWholeAfterARebuild) {
  ASSERT_TRUE(LoadCarData());
  window = hwnd_;
  scene_state = SCENE_CAR_SELECT;
  LoadSmallFont();
  LoadCarSelectArt();
  ASSERT_EQ(scene_state, SCENE_CAR_SELECT);
  current_car = car_table[4];  // 330.7 ps, 54.5 kgf·m: 66 px per 100 ps, 33 px per 10 kgf·m
  car_select_state.graph_rpm_limit = 1000;
  const uint32_t red = PackColor(255, 0, 0);
  const uint32_t green = PackColor(0, 255, 0);
  struct Point {
    int rpm, x, torque_y, power_y;
  };
  const Point points[] = {{1000, 33, 194, 262}, {2500, 82, 120, 171}, {3500, 115, 109, 113},
                          {4300, 141, 119, 85}, {5600, 184, 149, 70}};
  // Frames drawn so far -> the curves reach 1000 + 300 × frames rpm.
  auto expectPoints = [&](int reached, const char* when) {
    const Pixels graph = ReadPixels(gm_lpDDSGraph);
    ASSERT_EQ(graph.width, 325) << when;
    for (const Point& p : points) {
      const bool drawn = p.rpm <= reached;
      EXPECT_EQ(graph.At(p.x, p.torque_y) == red, drawn) << when << " torque at " << p.rpm;
      EXPECT_EQ(graph.At(p.x, p.power_y) == green, drawn) << when << " power at " << p.rpm;
    }
  };
  for (int frame = 0; frame < 9; ++frame) DrawCarSelect(true);
  expectPoints(3700, "after 9 frames");

  ASSERT_TRUE(RebuildDisplay(1));
  ASSERT_EQ(scene_state, SCENE_CAR_SELECT);
  ASSERT_NE(gm_lpDDSGraph, nullptr);
  DrawCarSelect(true);
  expectPoints(4000, "the first frame after the rebuild");
  for (int frame = 0; frame < 17; ++frame) DrawCarSelect(true);
  expectPoints(9000, "after 27 frames");
  // The graph on the screen, at (295, 120).
  const Pixels back = ReadPixels(display_context.back_buffer);
  EXPECT_EQ(back.At(295 + 115, 120 + 109), red);
  EXPECT_EQ(back.At(295 + 115, 120 + 113), green);
}

}  // namespace
