// What to do at the start of a frame after a blit met lost surfaces. Restoring a surface
// gives back its memory but not its picture, so the running scene's pictures are loaded again
// once the surfaces can be restored; never in the middle of a frame's blits.
#pragma once

#include <cstdint>

// DirectDraw's answers of TestCooperativeLevel that matter here (checked against ddraw.h on
// the Windows side).
constexpr int32_t kWrongModeResult = static_cast<int32_t>(0x8876024Bu);  // DDERR_WRONGMODE

enum class LostPictureStep {
  kNothing,   // no surface was lost
  kWait,      // the screen is still not ours (another program, a minimised full screen)
  kReload,    // the surfaces are back: load the running scene's pictures again
  kRebuild,   // the desktop changed its mode under the window: the whole display is rebuilt
};

// picturesLost: a blit restored the surfaces since the last reload. cooperativeLevel: what
// TestCooperativeLevel answers now. restoreSurfaces: called only when the screen is ours
// again; returns RestoreAllSurfaces' result.
template <typename RestoreSurfaces>
LostPictureStep NextLostPictureStep(bool picturesLost, bool windowed, int32_t cooperativeLevel,
                                    RestoreSurfaces&& restoreSurfaces) {
  if (!picturesLost) return LostPictureStep::kNothing;
  // A window's primary keeps the desktop's pixel format; after a mode change no restore
  // can bring it back, only new surfaces in the new format.
  if (windowed && cooperativeLevel == kWrongModeResult) return LostPictureStep::kRebuild;
  if (cooperativeLevel != 0) return LostPictureStep::kWait;
  if (restoreSurfaces() != 0) return LostPictureStep::kWait;
  return LostPictureStep::kReload;
}
