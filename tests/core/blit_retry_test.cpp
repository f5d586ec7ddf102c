#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "display/blit_retry.h"
#include "display/surface_loss.h"
#include "display/window_present.h"

namespace {
constexpr int32_t kBusy = static_cast<int32_t>(0x8876021Cu);  // DDERR_WASSTILLDRAWING
constexpr int32_t kNoExclusive = static_cast<int32_t>(0x887600E1u);  // DDERR_NOEXCLUSIVEMODE

// A blit that answers from a script; after the script it keeps giving the last answer.
struct ScriptedBlit {
  std::vector<int32_t> answers;
  int calls = 0;
  int32_t operator()() {
    const size_t at = static_cast<size_t>(calls) < answers.size() ? calls : answers.size() - 1;
    ++calls;
    return answers[at];
  }
};

TEST(BlitRetryTest, TriesUpToTenTimesAndALostSurfaceRestoresOnceAndSkipsTheBlit) {
  const std::tuple<std::vector<int32_t>, BlitOutcome, int, int> cases[] = {
      {{kBlitOk}, BlitOutcome::kDrawn, 1, 0},
      {{kBusy, kBusy, kBusy, kBlitOk}, BlitOutcome::kDrawn, 4, 0},  // other errors: again
      {{kBusy}, BlitOutcome::kFailed, 10, 0},  // never an eleventh try
      {{kBusy, kSurfaceLostResult, kBlitOk}, BlitOutcome::kSurfaceLost, 2, 1},
  };
  for (const auto& [answers, outcome, calls, restores] : cases) {
    ScriptedBlit blit{answers};
    int restored = 0;
    EXPECT_EQ(BlitWithRetry(blit, [&] { ++restored; }), outcome) << answers.size();
    EXPECT_EQ(blit.calls, calls) << answers.size();
    EXPECT_EQ(restored, restores) << answers.size();
  }
}

TEST(LostPicturesTest, ReloadOnlyOnceTheScreenIsOursAndRestored) {
  const struct {
    bool lost, windowed;
    int32_t level, restored;  // TestCooperativeLevel's and RestoreAllSurfaces' answers
    LostPictureStep step;
    int restores;
  } cases[] = {
      {false, true, kBlitOk, kBlitOk, LostPictureStep::kNothing, 0},
      {false, false, kNoExclusive, kBlitOk, LostPictureStep::kNothing, 0},
      {true, false, kBlitOk, kBlitOk, LostPictureStep::kReload, 1},
      {true, true, kBlitOk, kBlitOk, LostPictureStep::kReload, 1},
      // Full screen while another program holds the screen.
      {true, false, kNoExclusive, kBlitOk, LostPictureStep::kWait, 0},
      // Pictures loaded into surfaces that are still lost would be lost again.
      {true, false, kBlitOk, kWrongModeResult, LostPictureStep::kWait, 1},
      // A window rebuilds after the desktop changed its mode; full screen gets its own mode
      // back when it is active again.
      {true, true, kWrongModeResult, kBlitOk, LostPictureStep::kRebuild, 0},
      {true, false, kWrongModeResult, kBlitOk, LostPictureStep::kWait, 0},
  };
  for (const auto& c : cases) {
    int restores = 0;
    const auto restore = [&] { ++restores; return c.restored; };
    EXPECT_EQ(NextLostPictureStep(c.lost, c.windowed, c.level, restore), c.step)
        << c.lost << c.windowed << " " << c.level << " " << c.restored;
    EXPECT_EQ(restores, c.restores) << c.lost << c.windowed << " " << c.level;
  }
}
// A window on a desktop no bigger than the picture: only the part on the screen is copied.
TEST(WindowPresentTest, ThePartOnThePrimarySurface) {
  const struct { int32_t x, y; PixelRect source, destination; } cases[] = {
      {5, 24, {0, 0, 635, 456}, {5, 24, 640, 480}},
      {-10, -5, {10, 5, 640, 480}, {0, 0, 630, 475}},
      {700, 24, {0, 0, -60, 456}, {700, 24, 640, 480}},  // off the screen: empty
  };
  for (const auto& c : cases) {
    const PresentRects part = PartOnSurface(c.x, c.y, 640, 480, 640, 480);
    EXPECT_EQ(part.source, c.source) << c.x;
    EXPECT_EQ(part.destination, c.destination) << c.x;
  }
}

}  // namespace
