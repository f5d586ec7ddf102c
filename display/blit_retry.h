// The rule every blit onto the back buffer follows, kept apart from DirectDraw so that it can
// be checked with made-up results.
#pragma once

#include <cstdint>

// DirectDraw's results as plain numbers (the Windows side checks them against ddraw.h).
constexpr int32_t kBlitOk = 0;
constexpr int32_t kSurfaceLostResult = static_cast<int32_t>(0x887601C2u);  // DDERR_SURFACELOST

constexpr int kBlitTries = 10;

enum class BlitOutcome {
  kDrawn,         // a try succeeded
  kSurfaceLost,   // the surfaces were lost: restored, and this one blit is given up
  kFailed,        // every try failed for another reason
};

// Tries the blit at most kBlitTries times and stops at the first success. A lost surface
// restores all surfaces and gives up at once: trying again before the pictures are back would
// only draw from emptied memory. Any other failure (a busy surface, say) is worth another try.
template <typename TryBlit, typename RestoreSurfaces>
BlitOutcome BlitWithRetry(TryBlit&& tryBlit, RestoreSurfaces&& restore) {
  for (int attempt = 0; attempt < kBlitTries; ++attempt) {
    const int32_t result = tryBlit();
    if (result == kBlitOk) return BlitOutcome::kDrawn;
    if (result == kSurfaceLostResult) {
      restore();
      return BlitOutcome::kSurfaceLost;
    }
  }
  return BlitOutcome::kFailed;
}
