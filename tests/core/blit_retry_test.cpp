#include <gtest/gtest.h>

#include <vector>

#include "display/blit_retry.h"
#include "display/surface_loss.h"

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

TEST(BlitRetryTest, StopsAtTheFirstSuccess) {
  ScriptedBlit blit{{kBlitOk}};
  int restores = 0;
  EXPECT_EQ(BlitWithRetry(blit, [&] { ++restores; }), BlitOutcome::kDrawn);
  EXPECT_EQ(blit.calls, 1);
  EXPECT_EQ(restores, 0);

  ScriptedBlit busy{{kBusy, kBusy, kBusy, kBlitOk}};
  EXPECT_EQ(BlitWithRetry(busy, [&] { ++restores; }), BlitOutcome::kDrawn);
  EXPECT_EQ(busy.calls, 4) << "other errors are tried again";
  EXPECT_EQ(restores, 0);
}

TEST(BlitRetryTest, GivesUpAfterTenFailedTries) {
  ScriptedBlit blit{{kBusy}};
  int restores = 0;
  EXPECT_EQ(BlitWithRetry(blit, [&] { ++restores; }), BlitOutcome::kFailed);
  EXPECT_EQ(blit.calls, 10);
  EXPECT_EQ(restores, 0);

  ScriptedBlit late{{kBusy, kBusy, kBusy, kBusy, kBusy, kBusy, kBusy, kBusy, kBusy, kBusy,
                     kBlitOk}};
  EXPECT_EQ(BlitWithRetry(late, [] {}), BlitOutcome::kFailed) << "an eleventh try is one too many";
  EXPECT_EQ(late.calls, 10);
}

TEST(BlitRetryTest, ALostSurfaceRestoresOnceAndSkipsOnlyThatBlit) {
  ScriptedBlit blit{{kBusy, kSurfaceLostResult, kBlitOk}};
  int restores = 0;
  EXPECT_EQ(BlitWithRetry(blit, [&] { ++restores; }), BlitOutcome::kSurfaceLost);
  EXPECT_EQ(blit.calls, 2) << "no try after the loss";
  EXPECT_EQ(restores, 1);

  ScriptedBlit next{{kBlitOk}};
  EXPECT_EQ(BlitWithRetry(next, [&] { ++restores; }), BlitOutcome::kDrawn)
      << "the following blit goes ahead";
  EXPECT_EQ(restores, 1);
}

TEST(LostPicturesTest, ReloadOnlyOnceTheScreenIsOursAndRestored) {
  int restores = 0;
  auto restoreOk = [&] { ++restores; return kBlitOk; };
  auto restoreFails = [&] { ++restores; return kWrongModeResult; };

  EXPECT_EQ(NextLostPictureStep(false, true, kBlitOk, restoreOk), LostPictureStep::kNothing);
  EXPECT_EQ(NextLostPictureStep(false, false, kNoExclusive, restoreOk),
            LostPictureStep::kNothing);
  EXPECT_EQ(restores, 0) << "nothing lost, nothing restored";

  EXPECT_EQ(NextLostPictureStep(true, false, kBlitOk, restoreOk), LostPictureStep::kReload);
  EXPECT_EQ(NextLostPictureStep(true, true, kBlitOk, restoreOk), LostPictureStep::kReload);
  EXPECT_EQ(restores, 2);

  restores = 0;
  EXPECT_EQ(NextLostPictureStep(true, false, kNoExclusive, restoreOk), LostPictureStep::kWait)
      << "full screen while another program holds the screen";
  EXPECT_EQ(restores, 0);
  EXPECT_EQ(NextLostPictureStep(true, false, kBlitOk, restoreFails), LostPictureStep::kWait)
      << "pictures loaded into surfaces that are still lost would be lost again";
  EXPECT_EQ(restores, 1);
}

TEST(LostPicturesTest, AWindowRebuildsAfterTheDesktopChangedItsMode) {
  int restores = 0;
  auto restore = [&] { ++restores; return kBlitOk; };
  EXPECT_EQ(NextLostPictureStep(true, true, kWrongModeResult, restore),
            LostPictureStep::kRebuild);
  EXPECT_EQ(NextLostPictureStep(true, false, kWrongModeResult, restore), LostPictureStep::kWait)
      << "full screen gets its own mode back when it is active again";
  EXPECT_EQ(restores, 0);
}
}  // namespace
