// The title screen's state, its key handling and the layout of each frame's drawing.
// Portable: the Windows side reads the keys and the clock, hands them in, and turns the
// planned pieces into blits.
#pragma once

#include <cstdint>

#include "display/glyph_layout.h"

constexpr int kTitleMenuItems = 5;

enum TitlePhase : uint8_t {
  kTitleBannerOnly = 0,
  kTitleSliding = 1,   // logo from the left, subtitle from the right
  kTitleWiping = 2,    // emblem coming in top-down over the logo
  kTitleComplete = 3,  // everything shown, the menu live
};

struct TitleState {
  uint8_t title_phase = kTitleBannerOnly;
  int8_t title_cursor = 0;  // menu item 0..4
  // The opening's three clock readings are taken once per run of the program, so that every
  // later visit is complete from its first frame.
  bool delay_taken = false;
  uint32_t title_delay_end_ms = 0;  // ms, the banner shows alone until the clock passes it
  bool slide_taken = false;
  uint32_t slide_start_ms = 0;  // ms
  bool wipe_taken = false;
  uint32_t wipe_start_ms = 0;  // ms
};

extern TitleState title_state;

// A new visit: the opening from the banner, the cursor on the first item. The clock
// readings stay.
void ResetTitleVisit(TitleState& state);

// The start of every frame: the banner's second is measured from the first frame of the run.
void AdvanceTitleClock(TitleState& state, uint32_t now);

// The frame's keys: Space held skips the opening (and chooses nothing that frame), Space
// pressed chooses the item under the cursor, Up and Down move it round the five items.
// Returns the scene to run next (sceneState when nothing was chosen); raceMode is set by the
// items that choose a course.
int32_t HandleTitleKeys(TitleState& state, const uint8_t* keys, const uint8_t* previous,
                        uint32_t now, int32_t sceneState, uint8_t& raceMode);

// One copy from the title picture to the screen.
struct TitlePiece {
  PixelRect source;
  PixelRect destination;
};

// At most the banner, logo, subtitle, emblem, menu and cursor frame.
constexpr int kMaxTitlePieces = 6;

// What this frame shows, in drawing order, after the black fill; advances the phase when the
// slide or the wipe has finished. Every piece lies wholly inside the picture and the screen.
int PlanTitleFrame(TitleState& state, uint32_t now, TitlePiece pieces[kMaxTitlePieces]);

// Cuts a copy to the part whose destination lies inside the width x height screen, the
// source by the same amounts; false when nothing of it is left.
bool ClipPieceToScreen(TitlePiece& piece, int32_t width, int32_t height);
