// The bitmap-font sheets: every character the game can print has a glyph in its own cell,
// centred there, and the cells the game treats as empty are empty.
#include <algorithm>

#include "tests/art/art_test_util.h"
#include "tools/art/common/font_sheet.h"

namespace {

struct Sheet {
  const char* name;
  const FontSheetLayout* layout;
  bool keyed;
};

const Sheet kSheets[] = {
    {"FONT_DFPOP_16_OTHER1", &kSmallFontLayout, false}, {"FONT_DFPOP_16_GREEN", &kSmallFontLayout, true},
    {"FONT_DFPOP_16_RED", &kSmallFontLayout, true},     {"FONT_DFPOP_16_YELLOW", &kSmallFontLayout, true},
    {"FONT_DFPOP_32_CREAM", &kLargeFontLayout, true},   {"FONT_DFPOP_32_ORANGE", &kLargeFontLayout, true},
};

bool Small(const Sheet& s) { return s.layout == &kSmallFontLayout; }

// Ink of the opaque sheet is what stands out from its dark panel.
std::function<bool(Rgb)> InkRule(const Sheet& s) {
  if (s.keyed) return [](Rgb c) { return !IsKeyBlack(c); };
  return [](Rgb c) { return std::max({c.r, c.g, c.b}) > 110; };
}

bool MustHaveGlyph(const Sheet& s, int code) {
  if (code >= 33 && code <= 126) return true;
  return !Small(s) && code >= 161 && code <= 223;
}

int LastCode(const Sheet& s) { return 32 + s.layout->cells_per_row * s.layout->rows - 1; }

TEST(FontSheets, LayoutPutsCodesWhereTheGameLooks) {
  // The game's own cell arithmetic for a few codes.
  const ArtRect a_small = kSmallFontLayout.CellOf(65);
  EXPECT_EQ(a_small.left, 264);
  EXPECT_EQ(a_small.top, 0);
  EXPECT_EQ(a_small.right, 272);
  EXPECT_EQ(a_small.bottom, 16);
  const ArtRect a_large = kLargeFontLayout.CellOf(65);
  EXPECT_EQ(a_large.left, 528);
  EXPECT_EQ(a_large.bottom, 32);
  const ArtRect ka = kLargeFontLayout.CellOf(177);
  EXPECT_EQ(ka.left, 400);
  EXPECT_EQ(ka.top, 96);
  EXPECT_EQ(ka.right, 416);
  EXPECT_EQ(ka.bottom, 128);
  EXPECT_EQ(kSmallFontLayout.SheetWidth(), 384);
  EXPECT_EQ(kSmallFontLayout.SheetHeight(), 32);
  EXPECT_EQ(kLargeFontLayout.SheetWidth(), 640);
  EXPECT_EQ(kLargeFontLayout.SheetHeight(), 160);
}

TEST(FontSheets, EveryPrintableCodeHasACentredGlyphAndEmptyCodesStayEmpty) {
  for (const Sheet& s : kSheets) {
    SCOPED_TRACE(s.name);
    const IndexedBitmap b = LoadCommittedBitmap(s.name);
    ASSERT_EQ(b.width, s.layout->SheetWidth());
    ASSERT_EQ(b.height, s.layout->SheetHeight());
    const auto ink_rule = InkRule(s);
    for (int code = 32; code <= LastCode(s); ++code) {
      SCOPED_TRACE(code);
      const ArtRect cell = s.layout->CellOf(code);
      const InkStats ink = InkIn(b, cell, ink_rule);
      if (!MustHaveGlyph(s, code)) {
        EXPECT_EQ(ink.count, 0) << "a cell the game shows as blank has ink";
        continue;
      }
      ASSERT_GT(ink.count, 0) << "no glyph";
      const double cell_centre = (cell.left + cell.right) / 2.0;
      const double ink_centre = (ink.left + ink.right + 1) / 2.0;
      EXPECT_NEAR(ink_centre, cell_centre, 1.0) << "glyph not centred in its cell";
    }
    if (!s.keyed) {
      // The read-out is opaque: no pixel of its sheet may be the key colour.
      EXPECT_EQ(InkIn(b, ArtRect{0, 0, b.width, b.height}, [](Rgb c) { return IsKeyBlack(c); }).count, 0);
    }
  }
}

TEST(FontSheets, GlyphsSitInTheCellsOfTheirOwnCodes) {
  // Shapes whose place in the cell tells them apart: a shifted sheet fails these.
  for (const Sheet& s : kSheets) {
    SCOPED_TRACE(s.name);
    const IndexedBitmap b = LoadCommittedBitmap(s.name);
    const auto ink_rule = InkRule(s);
    auto ink = [&](int code) { return InkIn(b, s.layout->CellOf(code), ink_rule); };
    const int h = s.layout->CellHeight();
    const double middle_of = h / 2.0;
    auto rel_y = [&](int code, double y) { return y - s.layout->CellOf(code).top; };

    EXPECT_GT(rel_y('.', ink('.').CentroidY()), middle_of) << "full stop not low";
    EXPECT_LT(rel_y('\'', ink('\'').CentroidY()), middle_of) << "apostrophe not high";
    EXPECT_LT(rel_y('^', ink('^').CentroidY()), middle_of) << "caret not high";
    EXPECT_GT(ink('_').bottom - s.layout->CellOf('_').top, ink('A').bottom - s.layout->CellOf('A').top)
        << "underscore not below the baseline";
    EXPECT_GT(ink('M').count, ink('-').count * 2) << "M lighter than a hyphen";
    EXPECT_LT(ink('|').right - ink('|').left, ink('W').right - ink('W').left) << "bar as wide as W";
    const InkStats g = ink('g'), a = ink('a');
    EXPECT_GT(g.bottom - s.layout->CellOf('g').top, a.bottom - s.layout->CellOf('a').top) << "g has no descender";

    // Code 92 is the yen sign, symmetric about its stem, where a backslash would be slanted.
    const ArtRect yen = s.layout->CellOf(92);
    int mirrored = 0, total = 0;
    const InkStats yen_ink = ink(92);
    for (int y = yen.top; y < yen.bottom; ++y) {
      for (int x = yen_ink.left; x <= yen_ink.right; ++x) {
        if (!ink_rule(b.ColorAt(x, y))) continue;
        ++total;
        if (ink_rule(b.ColorAt(yen_ink.left + yen_ink.right - x, y))) ++mirrored;
      }
    }
    ASSERT_GT(total, 0);
    EXPECT_GT(double(mirrored) / total, 0.8) << "code 92 is not a yen sign";

    if (!Small(s)) {
      // Half-width katakana: the corner brackets open at opposite ends, the full stop is low.
      EXPECT_LT(rel_y(162, ink(162).CentroidY()), rel_y(163, ink(163).CentroidY())) << "corner brackets swapped";
      EXPECT_GT(rel_y(161, ink(161).CentroidY()), middle_of) << "ideographic full stop not low";
      EXPECT_GT(ink(177).count, ink(176).count) << "ｱ lighter than the long vowel mark";
    }
  }
}

TEST(FontSheets, CharacterMappingCoversShiftJisSingleBytes) {
  EXPECT_EQ(SmallFontCharacter(92), "\xC2\xA5");
  EXPECT_EQ(SmallFontCharacter(65), "A");
  EXPECT_EQ(SmallFontCharacter(32), "");
  EXPECT_EQ(SmallFontCharacter(127), "");
  EXPECT_EQ(LargeFontCharacter(161), "\xEF\xBD\xA1");  // U+FF61
  EXPECT_EQ(LargeFontCharacter(177), "\xEF\xBD\xB1");  // U+FF71, ｱ
  EXPECT_EQ(LargeFontCharacter(223), "\xEF\xBE\x9F");  // U+FF9F
  EXPECT_EQ(LargeFontCharacter(160), "");
  EXPECT_EQ(LargeFontCharacter(224), "");
  EXPECT_EQ(LargeFontCharacter(126), "~");
}

}  // namespace
