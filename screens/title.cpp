#include "screens/title.h"

#include <algorithm>

#include "app/scene_state.h"
#include "input/key_codes.h"
#include "input/key_state.h"

TitleState title_state;

namespace {

constexpr uint32_t kBannerAloneMs = 1000;   // ms before the slide starts
constexpr double kSlidePixelsPerMs = 2.5;   // pixels per ms
constexpr int64_t kSlideEnd = 472;          // right edge of the logo when it stands
constexpr int32_t kPieceWidth = 304;        // every band of the title picture
constexpr uint32_t kWipeMsPerRow = 15;      // ms per emblem row
constexpr int32_t kEmblemRows = 160;
constexpr int32_t kScreenWidth = 640;
constexpr int32_t kScreenHeight = 480;

// The bands of the title picture (source rows) and where the fixed ones stand on screen.
constexpr PixelRect kBannerSource{0, 432, 304, 512};
constexpr PixelRect kBannerDest{168, 390, 472, 470};
constexpr int32_t kLogoTop = 0, kLogoBottom = 160;
constexpr int32_t kLogoDestTop = 40, kLogoDestBottom = 200;
constexpr int32_t kSubtitleTop = 160, kSubtitleBottom = 208;
constexpr int32_t kSubtitleDestTop = 180, kSubtitleDestBottom = 228;
constexpr int32_t kEmblemTop = 272;
constexpr PixelRect kMenuSource{0, 512, 304, 672};
constexpr PixelRect kMenuDest{168, 230, 472, 390};
constexpr PixelRect kCursorSource{0, 672, 304, 704};
constexpr int32_t kMenuItemHeight = 32;

int32_t SlideOffset(TitleState& state, uint32_t now) {
  if (!state.slide_taken) {
    state.slide_taken = true;
    state.slide_start_ms = now;
  }
  // Unsigned: a clock that wrapped since the start still gives the time in between.
  const uint32_t elapsed = now - state.slide_start_ms;
  int64_t s = static_cast<int64_t>(elapsed * kSlidePixelsPerMs);
  if (s < 1) {
    s = 1;
  } else if (s > kSlideEnd) {
    s = kSlideEnd;
    state.title_phase = std::max<uint8_t>(state.title_phase, kTitleWiping);
  }
  if (state.title_phase > kTitleWiping) s = kSlideEnd;
  return static_cast<int32_t>(s);
}

int32_t WipedRows(TitleState& state, uint32_t now) {
  if (!state.wipe_taken) {
    state.wipe_taken = true;
    state.wipe_start_ms = now;
  }
  uint32_t h = (now - state.wipe_start_ms) / kWipeMsPerRow;
  if (h == 0) h = 1;
  if (h > static_cast<uint32_t>(kEmblemRows)) {
    state.title_phase = kTitleComplete;
    h = kEmblemRows;
  }
  if (state.title_phase > kTitleWiping) h = kEmblemRows;
  return static_cast<int32_t>(h);
}

void AddPiece(TitlePiece pieces[], int& count, const PixelRect& source,
              const PixelRect& destination) {
  TitlePiece piece{source, destination};
  if (ClipPieceToScreen(piece, kScreenWidth, kScreenHeight)) pieces[count++] = piece;
}

}  // namespace

void ResetTitleVisit(TitleState& state) {
  state.title_phase = kTitleBannerOnly;
  state.title_cursor = 0;
}

void AdvanceTitleClock(TitleState& state, uint32_t now) {
  if (!state.delay_taken) {
    state.delay_taken = true;
    state.title_delay_end_ms = now + kBannerAloneMs;
  }
  if (now > state.title_delay_end_ms && state.title_phase == kTitleBannerOnly) {
    state.title_phase = kTitleSliding;
  }
}

int32_t HandleTitleKeys(TitleState& state, const uint8_t* keys, const uint8_t* previous,
                        uint32_t now, int32_t sceneState, uint8_t& raceMode) {
  int32_t next = sceneState;
  if (state.title_phase < kTitleComplete && IsKeyHeld(keys, DIK_SPACE)) {
    state.title_phase = kTitleComplete;
    state.title_delay_end_ms = now - kBannerAloneMs;
  } else if (IsKeyPressed(keys, previous, DIK_SPACE)) {
    switch (state.title_cursor) {
      case 0:
        raceMode = 0;
        next = SCENE_CAR_SELECT_ENTER;
        break;
      case 1:
        raceMode = 1;
        next = SCENE_CAR_SELECT_ENTER;
        break;
      case 2:
        // The record screen shows the course in race mode; it opens on the 400 m tables.
        raceMode = 0;
        next = SCENE_RECORDS_ENTER;
        break;
      case 3:
        next = SCENE_OPTIONS_ENTER;
        break;
      default:
        next = SCENE_EXIT;
        break;
    }
  }
  int cursor = state.title_cursor;
  if (IsKeyPressed(keys, previous, DIK_UP)) --cursor;
  if (IsKeyPressed(keys, previous, DIK_DOWN)) ++cursor;
  if (cursor < 0) cursor = kTitleMenuItems - 1;
  if (cursor >= kTitleMenuItems) cursor = 0;
  state.title_cursor = static_cast<int8_t>(cursor);
  return next;
}

int PlanTitleFrame(TitleState& state, uint32_t now, TitlePiece pieces[kMaxTitlePieces]) {
  int count = 0;
  AddPiece(pieces, count, kBannerSource, kBannerDest);
  if (state.title_phase >= kTitleSliding) {
    const int32_t s = SlideOffset(state, now);
    // The logo's right part grows out of the left edge, then the whole logo moves right.
    if (s < kPieceWidth) {
      AddPiece(pieces, count, {kPieceWidth - s, kLogoTop, kPieceWidth, kLogoBottom},
               {0, kLogoDestTop, s, kLogoDestBottom});
    } else {
      AddPiece(pieces, count, {0, kLogoTop, kPieceWidth, kLogoBottom},
               {s - kPieceWidth, kLogoDestTop, s, kLogoDestBottom});
    }
    // The subtitle's left part grows out of the right edge, then it moves left as far as the
    // logo moves right, to x = 168. At s = 303 it would end one pixel past the edge; the clip
    // keeps that frame's piece on the screen.
    int32_t w = s + 1;
    int32_t right = kScreenWidth;
    if (w >= kPieceWidth) {
      w = kPieceWidth;
      right = 2 * static_cast<int32_t>(kSlideEnd) - s;
    }
    AddPiece(pieces, count, {0, kSubtitleTop, w, kSubtitleBottom},
             {right - w, kSubtitleDestTop, right, kSubtitleDestBottom});
  }
  if (state.title_phase >= kTitleWiping) {
    const int32_t h = WipedRows(state, now);
    AddPiece(pieces, count, {0, kEmblemTop, kPieceWidth, kEmblemTop + h},
             {168, kLogoDestTop, 472, kLogoDestTop + h});
  }
  if (state.title_phase >= kTitleComplete) {
    AddPiece(pieces, count, kMenuSource, kMenuDest);
    const int32_t top = kMenuDest.top + kMenuItemHeight * state.title_cursor;
    AddPiece(pieces, count, kCursorSource, {168, top, 472, top + kMenuItemHeight});
  }
  return count;
}

bool ClipPieceToScreen(TitlePiece& piece, int32_t width, int32_t height) {
  PixelRect& s = piece.source;
  PixelRect& d = piece.destination;
  if (d.left < 0) {
    s.left -= d.left;
    d.left = 0;
  }
  if (d.top < 0) {
    s.top -= d.top;
    d.top = 0;
  }
  if (d.right > width) {
    s.right -= d.right - width;
    d.right = width;
  }
  if (d.bottom > height) {
    s.bottom -= d.bottom - height;
    d.bottom = height;
  }
  return d.left < d.right && d.top < d.bottom && s.left < s.right && s.top < s.bottom;
}
