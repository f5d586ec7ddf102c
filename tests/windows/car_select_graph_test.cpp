// The car select screen's graph across a display rebuild (F2) on a real windowed display: the
// graph drawn in over frames comes back whole, the same as one drawn without a rebuild. What
// the screens show is guarded by the golden pictures.
#include <vector>

#include "app/scene_state.h"
#include "data/car_data_loader.h"
#include "data/car_table.h"
#include "display_test_support.h"
#include "screens/car_select.h"
#include "screens/car_select_win32.h"

namespace {
using namespace display_test;

class CarSelectGraph : public WindowedSceneTest {
 protected:
  void TearDown() override {
    ReleaseCarData();
    WindowedSceneTest::TearDown();
  }
  // Frames of the screen for record 4 from a fresh graph: 27 draw the whole of it.
  std::vector<uint32_t> GraphAfter(int frames, int rebuildAfter) {
    car_select_state.graph_rpm_limit = 1000;
    car_select_state.graph_car_id = -1;  // as for a new car: the surface is cleared first
    for (int frame = 0; frame < frames; ++frame) {
      if (frame == rebuildAfter) {
        EXPECT_TRUE(RebuildDisplay(1));
        EXPECT_EQ(scene_state, SCENE_CAR_SELECT);
      }
      DrawCarSelect(true);
    }
    return ReadPixels(gm_lpDDSGraph).values;
  }
};

TEST_F(CarSelectGraph, ComesBackWholeAfterARebuild) {
  ASSERT_TRUE(LoadCarData());
  window = hwnd_;
  scene_state = SCENE_CAR_SELECT;
  LoadSmallFont();
  LoadCarSelectArt();
  ASSERT_EQ(scene_state, SCENE_CAR_SELECT);
  current_car = car_table[4];
  const std::vector<uint32_t> whole = GraphAfter(27, -1);
  ASSERT_EQ(whole.size(), 325u * 320u);
  EXPECT_NE(GraphAfter(9, -1), whole) << "nine frames draw part of it";
  // The first frame after the rebuild draws everything up to its limit at once.
  EXPECT_EQ(GraphAfter(10, 9), GraphAfter(10, -1));
  EXPECT_EQ(GraphAfter(27, 9), whole);
}

}  // namespace
