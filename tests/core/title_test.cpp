// The title's opening against a clock set by hand, the menu keys, and the pieces it draws.
#include "screens/title.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "app/scene_state.h"
#include "input/key_codes.h"

namespace {

uint8_t RunFrame(TitleState& state, uint32_t now, TitlePiece pieces[kMaxTitlePieces]) {
  AdvanceTitleClock(state, now);
  PlanTitleFrame(state, now, pieces);
  return state.title_phase;
}

TEST(TitleTest, OpeningSwitchesAtItsExactTimes) {
  // First frame at 5000: the banner alone until the clock passes 6000; the slide starts at
  // 6001, passes 472 px after more than 188.8 ms, and the wipe ends 2415 ms after it began.
  const std::pair<uint32_t, uint8_t> frames[] = {  // ms, phase
      {5000, 0},      {6000, 0},       {6001, 1},       {6001 + 189, 1},
      {6001 + 190, 2}, {6191 + 2414, 2}, {6191 + 2415, 3}};
  TitleState state;
  TitlePiece pieces[kMaxTitlePieces];
  for (const auto& [now, phase] : frames) EXPECT_EQ(RunFrame(state, now, pieces), phase) << now;
  // A later visit is complete from its first frame, with the cursor back on item 0.
  state.title_cursor = 3;
  ResetTitleVisit(state);
  EXPECT_EQ(state.title_phase, kTitleBannerOnly);
  EXPECT_EQ(state.title_cursor, 0);
  EXPECT_EQ(RunFrame(state, 20000, pieces), kTitleComplete);
}

// The pieces of a frame at moments of the opening: source and destination, in drawing order.
TEST(TitleTest, PiecesAtMomentsOfTheOpening) {
  using Piece = std::pair<PixelRect, PixelRect>;
  const Piece banner{{0, 432, 304, 512}, {168, 390, 472, 470}};
  const Piece logo{{0, 0, 304, 160}, {168, 40, 472, 200}};
  const Piece subtitle{{0, 160, 304, 208}, {168, 180, 472, 228}};
  const struct {
    const char* what;
    uint8_t phase;
    uint32_t slide_ms, wipe_ms;
    std::vector<Piece> pieces;
  } moments[] = {
      {"banner alone", 0, 0, 0, {banner}},
      {"the slide's first frame: s = 1 at least", 1, 0, 0,
       {banner, {{303, 0, 304, 160}, {0, 40, 1, 200}}, {{0, 160, 2, 208}, {638, 180, 640, 228}}}},
      {"s = 100: the logo's right part, the subtitle's left part", 1, 40, 0,
       {banner, {{204, 0, 304, 160}, {0, 40, 100, 200}}, {{0, 160, 101, 208}, {539, 180, 640, 228}}}},
      {"s = 400: both whole, moving in", 1, 160, 0,
       {banner, {{0, 0, 304, 160}, {96, 40, 400, 200}}, {{0, 160, 304, 208}, {240, 180, 544, 228}}}},
      {"80 rows of the emblem", 2, 5000, 80 * 15,
       {banner, logo, subtitle, {{0, 272, 304, 352}, {168, 40, 472, 120}}}},
      {"the menu, cursor on item 2", 3, 5000, 5000,
       {banner, logo, subtitle, {{0, 272, 304, 432}, {168, 40, 472, 200}},
        {{0, 512, 304, 672}, {168, 230, 472, 390}}, {{0, 672, 304, 704}, {168, 294, 472, 326}}}},
  };
  for (const auto& m : moments) {
    TitleState state;
    state.title_phase = m.phase;
    state.title_cursor = 2;
    state.slide_taken = state.wipe_taken = true;
    state.slide_start_ms = 100000 - m.slide_ms;
    state.wipe_start_ms = 100000 - m.wipe_ms;
    TitlePiece pieces[kMaxTitlePieces];
    const int count = PlanTitleFrame(state, 100000, pieces);
    ASSERT_EQ(count, static_cast<int>(m.pieces.size())) << m.what;
    for (int i = 0; i < count; ++i) {
      EXPECT_EQ(Piece(pieces[i].source, pieces[i].destination), m.pieces[i]) << m.what << ", " << i;
    }
  }
}

TEST(TitleTest, PiecesAreCutToTheScreen) {
  const struct { TitlePiece piece; bool kept; TitlePiece cut; } cases[] = {
      // The subtitle at s = 303, one pixel past the right edge.
      {{{0, 160, 304, 208}, {337, 180, 641, 228}}, true, {{0, 160, 303, 208}, {337, 180, 640, 228}}},
      {{{0, 0, 304, 160}, {-10, -5, 294, 155}}, true, {{10, 5, 304, 160}, {0, 0, 294, 155}}},
      {{{0, 0, 304, 160}, {200, 400, 504, 560}}, true, {{0, 0, 304, 80}, {200, 400, 504, 480}}},
      {{{0, 0, 10, 10}, {640, 0, 650, 10}}, false, {}},
  };
  for (const auto& c : cases) {
    TitlePiece piece = c.piece;
    ASSERT_EQ(ClipPieceToScreen(piece, 640, 480), c.kept);
    if (!c.kept) continue;
    EXPECT_EQ(piece.source, c.cut.source);
    EXPECT_EQ(piece.destination, c.cut.destination);
  }
}

TEST(TitleTest, MenuKeys) {
  // Keys down now and in the frame before; the race mode starts from 7.
  const struct {
    const char* what;
    uint8_t phase;
    int8_t cursor;
    std::initializer_list<int> down, before;
    uint8_t expected_phase;
    int8_t expected_cursor;
    int32_t expected_scene;
    uint8_t expected_mode;
  } cases[] = {
      {"Space held skips the opening", 1, 0, {DIK_SPACE}, {DIK_SPACE}, 3, 0, SCENE_TITLE, 7},
      {"Space pressed skips without choosing", 0, 2, {DIK_SPACE}, {}, 3, 2, SCENE_TITLE, 7},
      {"Space held in the menu chooses nothing", 3, 2, {DIK_SPACE}, {DIK_SPACE}, 3, 2,
       SCENE_TITLE, 7},
      {"400 m", 3, 0, {DIK_SPACE}, {}, 3, 0, SCENE_CAR_SELECT_ENTER, 0},
      {"1000 m", 3, 1, {DIK_SPACE}, {}, 3, 1, SCENE_CAR_SELECT_ENTER, 1},
      {"records", 3, 2, {DIK_SPACE}, {}, 3, 2, SCENE_RECORDS_ENTER, 0},
      {"options", 3, 3, {DIK_SPACE}, {}, 3, 3, SCENE_OPTIONS_ENTER, 7},
      {"exit", 3, 4, {DIK_SPACE}, {}, 3, 4, SCENE_EXIT, 7},
      {"Up wraps", 3, 0, {DIK_UP}, {}, 3, 4, SCENE_TITLE, 7},
      {"Down wraps", 3, 4, {DIK_DOWN}, {}, 3, 0, SCENE_TITLE, 7},
      {"held Down does not repeat", 3, 1, {DIK_DOWN}, {DIK_DOWN}, 3, 1, SCENE_TITLE, 7},
      {"the cursor moves during the opening", 0, 0, {DIK_DOWN}, {}, 0, 1, SCENE_TITLE, 7},
      {"Space and Down choose before moving", 3, 2, {DIK_SPACE, DIK_DOWN}, {}, 3, 3,
       SCENE_RECORDS_ENTER, 0},
  };
  for (const auto& c : cases) {
    uint8_t keys[256] = {}, previous[256] = {};
    for (int k : c.down) keys[k] = 0x80;
    for (int k : c.before) previous[k] = 0x80;
    TitleState state;
    state.title_phase = c.phase;
    state.title_cursor = c.cursor;
    uint8_t mode = 7;
    const int32_t scene = HandleTitleKeys(state, keys, previous, 5000, SCENE_TITLE, mode);
    EXPECT_EQ(std::tuple(state.title_phase, state.title_cursor, scene, mode),
              std::tuple(c.expected_phase, c.expected_cursor, c.expected_scene, c.expected_mode))
        << c.what;
  }
}

}  // namespace
