// The record and option screens drawn by their own frames on a windowed display, read back
// from the back buffer: every piece where it belongs, in the picture it comes from.
#include <cstring>

#include "app/scene_state.h"
#include "app/settings.h"
#include "data/record_data.h"
#include "display/drawing_win32.h"
#include "display_test_support.h"
#include "race/race_state.h"
#include "screens/options_win32.h"
#include "screens/records_win32.h"

namespace {
using namespace display_test;

class ScreensTest : public WindowedSceneTest {
 protected:
  // The picture as the executable carries it.
  Pixels Picture(const char* name) {
    IDirectDrawSurface4* surface = LoadBitmapSurface(display_context.direct_draw, name);
    const Pixels pixels = ReadPixels(surface);
    ReleaseInterface(surface);
    return pixels;
  }
};

// The back buffer at (x, y) holds the w x h piece of `from` at (sx, sy), its black left out
// over a black screen; `litOnly` looks only at the piece's non-black pixels.
int WrongPixels(const Pixels& back, const Pixels& from, int x, int y, int sx, int sy, int w,
                int h, bool litOnly = false) {
  int wrong = 0;
  for (int dy = 0; dy < h; ++dy) {
    for (int dx = 0; dx < w; ++dx) {
      const uint32_t piece = from.At(sx + dx, sy + dy);
      wrong += (!litOnly || piece != 0) && back.At(x + dx, y + dy) != piece;
    }
  }
  return wrong;
}

int Glyph(char c) { return (c - 32) % 40 * 16; }
int GlyphRow(char c) { return (c - 32) / 40 * 32; }

TEST_F(ScreensTest, ResultScreenShowsTheLinesTheNewMarkAndTheCursor) {
  RankingEntry& third = record_data.tables[1][kTimeTable][2];
  third.value = 9.5f;
  std::strcpy(third.player_name, "QZ");
  std::strcpy(third.car_name, "CAR");
  race_mode = 1;
  result_table = kTimeTable;
  race_state.time_rank = 3;
  race_state.speed_rank = 0;
  scene_state = SCENE_RESULT_ENTER;
  EnterResult();
  ASSERT_EQ(scene_state, SCENE_RESULT);
  ResultFrame();

  const Pixels back = ReadPixels(display_context.back_buffer);
  const Pixels sheet = Picture("RECORD");
  const Pixels orange = Picture("FONT_DFPOP_32_ORANGE");
  const Pixels cream = Picture("FONT_DFPOP_32_CREAM");
  ASSERT_EQ(sheet.width, 432);
  // The third line starts at x = 190, y = 252.
  EXPECT_EQ(WrongPixels(back, sheet, 192, 0, 0, 32, 256, 48), 0) << "heading";
  EXPECT_EQ(WrongPixels(back, sheet, 272, 48, 96, 80, 96, 32), 0) << "1000 m label";
  EXPECT_EQ(WrongPixels(back, sheet, 126, 252, 96, 0, 48, 32), 0) << "3rd label";
  EXPECT_EQ(WrongPixels(back, sheet, 62, 252, 256, 32, 64, 32), 0) << "New mark";
  EXPECT_EQ(WrongPixels(back, orange, 206, 252, Glyph('9'), GlyphRow('9'), 16, 32), 0)
      << "the digit 9 of \" 9.500sec\" in orange";
  EXPECT_EQ(WrongPixels(back, cream, 190 + 15 * 8, 284, Glyph('C'), GlyphRow('C'), 16, 32), 0)
      << "the car name centred in cream";
  EXPECT_EQ(WrongPixels(back, orange, 426, 252, Glyph('Z'), GlyphRow('Z'), 16, 32), 0)
      << "second character of the player name";
  EXPECT_EQ(WrongPixels(back, sheet, 410, 252, 352, 80, 16, 32, true), 0)
      << "the character cursor over the name's first character";
}

TEST_F(ScreensTest, OptionScreenWithoutAJoystick) {
  scene_state = SCENE_OPTIONS_ENTER;
  EnterOptions();
  ASSERT_EQ(scene_state, SCENE_OPTIONS);
  OptionsFrame();

  const Pixels back = ReadPixels(display_context.back_buffer);
  const Pixels option = Picture("OPTION");
  const Pixels orange = Picture("FONT_DFPOP_32_ORANGE");
  const Pixels cream = Picture("FONT_DFPOP_32_CREAM");
  EXPECT_EQ(WrongPixels(back, option, 246, 0, 0, 0, 148, 48), 0) << "title band";
  EXPECT_EQ(WrongPixels(back, orange, 304, 186, Glyph('O'), GlyphRow('O'), 16, 32), 0) << "OK";
  EXPECT_EQ(WrongPixels(back, cream, 360, 90, Glyph('W'), GlyphRow('W'), 16, 32), 0) << "Window";
  EXPECT_EQ(WrongPixels(back, option, 344, 90, 0, 48, 16, 32), 0) << "left bracket";
  int lit = 0;
  for (int y = 170; y < 202; ++y) {
    for (int x = 72; x < 288; ++x) lit += back.At(x, y) != 0;  // up to the OK bracket
  }
  EXPECT_EQ(lit, 0) << "no joystick heading";
  int green = 0;
  for (int y = 448; y < 464; ++y) {
    for (int x = 210; x < 500; ++x) green += back.At(x, y) == PackColor(0, 255, 0);
  }
  EXPECT_GT(green, 50) << "the Esc help line in green";
}

}  // namespace
