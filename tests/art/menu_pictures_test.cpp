// The menu screens' pictures: every band and piece the screens copy holds a drawing, the
// pieces meant to frame something are see-through inside, and nothing lies between pieces.
#include "tests/art/art_test_util.h"
#include "tools/art/common/ico_file.h"

#include <cstring>

namespace {

void ExpectDrawn(const IndexedBitmap& b, const ArtRect& r, const char* what) {
  const int area = (r.right - r.left) * (r.bottom - r.top);
  const InkStats ink = InkIn(b, r);
  EXPECT_GT(ink.count, area / 40) << what << " is (nearly) empty";
}

void ExpectEmpty(const IndexedBitmap& b, const ArtRect& r, const char* what) {
  EXPECT_EQ(InkIn(b, r).count, 0) << what << " should be transparent";
}

TEST(TitlePicture, BandsMenuItemsAndCursorFrame) {
  const IndexedBitmap b = LoadCommittedBitmap("TITLE");
  ASSERT_EQ(b.width, 304);
  ASSERT_EQ(b.height, 704);
  ExpectDrawn(b, {0, 0, 304, 160}, "logo");
  ExpectDrawn(b, {0, 160, 304, 208}, "subtitle");
  ExpectDrawn(b, {0, 208, 304, 240}, "first prompt line");
  ExpectDrawn(b, {0, 240, 304, 272}, "second prompt line");
  ExpectDrawn(b, {0, 272, 304, 432}, "emblem");
  ExpectDrawn(b, {0, 432, 304, 512}, "credits");
  for (int i = 0; i < 5; ++i) {
    // Each item stays within its own 32 rows, so the cursor frame lines up with it.
    const ArtRect item{0, 512 + 32 * i, 304, 544 + 32 * i};
    ExpectDrawn(b, item, "menu item");
    const InkStats ink = InkIn(b, item);
    EXPECT_GT(ink.top, item.top) << "item " << i << " touches the item above";
    EXPECT_LT(ink.bottom, item.bottom - 1) << "item " << i << " touches the item below";
    EXPECT_NEAR((ink.left + ink.right + 1) / 2.0, 152, 3) << "item " << i << " not centred";
  }
  // The cursor frame is drawn all round but transparent inside, where the item shows through.
  const ArtRect frame{0, 672, 304, 704};
  ExpectDrawn(b, frame, "cursor frame");
  ExpectEmpty(b, {48, 678, 256, 698}, "inside of the cursor frame");
  EXPECT_GT(InkIn(b, {0, 672, 304, 676}).count, 100) << "frame has no top edge";
  EXPECT_GT(InkIn(b, {0, 700, 304, 704}).count, 100) << "frame has no bottom edge";
  // The frame's opening is wider than every menu item, or it would cover the lettering.
  for (int i = 0; i < 5; ++i) {
    const InkStats item = InkIn(b, {0, 512 + 32 * i, 304, 544 + 32 * i});
    EXPECT_GE(item.left, 48);
    EXPECT_LT(item.right, 256);
  }
}

TEST(TitlePicture, EmblemDressesTheLogoInPlace) {
  // The emblem is wiped in over the logo at the same place; its word must cover the logo's
  // word so the plain logo does not peek out beside it.
  const IndexedBitmap b = LoadCommittedBitmap("TITLE");
  int logo = 0, covered = 0;
  for (int y = 0; y < 130; ++y) {
    for (int x = 0; x < 304; ++x) {
      const Rgb c = b.ColorAt(x, y);
      if (IsKeyBlack(c) || std::max({c.r, c.g, c.b}) < 200) continue;  // the word's bright face
      ++logo;
      if (!IsKeyBlack(b.ColorAt(x, y + 272))) ++covered;
    }
  }
  ASSERT_GT(logo, 2000);
  EXPECT_GT(double(covered) / logo, 0.97);
}

TEST(CarSelectPicture, EveryPieceDrawnAndNothingBetween) {
  const IndexedBitmap b = LoadCommittedBitmap("CARSELECT");
  ExpectDrawn(b, {0, 0, 208, 48}, "screen title");
  ExpectDrawn(b, {0, 48, 128, 80}, "power caption");
  ExpectDrawn(b, {128, 48, 288, 80}, "torque caption");
  ExpectDrawn(b, {0, 80, 128, 112}, "weight caption");
  ExpectDrawn(b, {128, 80, 256, 112}, "drive caption");
  ExpectDrawn(b, {0, 112, 32, 144}, "left arrow");
  ExpectDrawn(b, {32, 112, 64, 144}, "right arrow");
  ExpectEmpty(b, {208, 0, 288, 48}, "right of the title");
  ExpectEmpty(b, {256, 80, 288, 112}, "right of the drive caption");
  ExpectEmpty(b, {64, 112, 288, 144}, "right of the arrows");
  // The arrows point outwards: each is a narrow tip on the outer side and a tall back on the
  // inner side.
  auto span = [&](int left, int right) {
    const InkStats s = InkIn(b, {left, 112, right, 144});
    return s.count ? s.bottom - s.top : 0;
  };
  const InkStats left = InkIn(b, {0, 112, 32, 144}), right = InkIn(b, {32, 112, 64, 144});
  EXPECT_LT(span(left.left, left.left + 3) * 2, span(left.right - 3, left.right + 1)) << "left arrow";
  EXPECT_LT(span(right.right - 2, right.right + 1) * 2, span(right.left, right.left + 4)) << "right arrow";
}

TEST(OptionPicture, TitleAndBracketsFacingEachOther) {
  const IndexedBitmap b = LoadCommittedBitmap("OPTION");
  ExpectDrawn(b, {0, 0, 148, 48}, "screen title");
  ExpectDrawn(b, {0, 48, 16, 80}, "left bracket");
  ExpectDrawn(b, {16, 48, 32, 80}, "right bracket");
  ExpectEmpty(b, {32, 48, 148, 80}, "right of the brackets");
  EXPECT_LT(InkIn(b, {0, 48, 16, 80}).CentroidX(), 8.0) << "left bracket's spine not on its left";
  EXPECT_GT(InkIn(b, {16, 48, 32, 80}).CentroidX(), 24.0) << "right bracket's spine not on its right";
}

TEST(RecordPicture, PiecesArrowsAndCharacterCursor) {
  const IndexedBitmap b = LoadCommittedBitmap("RECORD");
  for (int i = 0; i < 5; ++i) ExpectDrawn(b, {48 * i, 0, 48 * i + 48, 32}, "place label");
  ExpectDrawn(b, {240, 0, 336, 32}, "time label");
  ExpectDrawn(b, {336, 0, 432, 32}, "top speed label");
  ExpectDrawn(b, {0, 32, 256, 80}, "heading");
  ExpectDrawn(b, {256, 32, 320, 64}, "New mark");
  ExpectDrawn(b, {0, 80, 96, 112}, "400 m label");
  ExpectDrawn(b, {96, 80, 192, 112}, "1000 m label");
  ExpectDrawn(b, {192, 80, 224, 112}, "left arrow");
  ExpectDrawn(b, {320, 80, 352, 112}, "right arrow");
  // Between the arrows lies the label they frame, drawn from elsewhere.
  ExpectEmpty(b, {224, 80, 320, 112}, "space between the arrows");
  ExpectDrawn(b, {352, 80, 368, 112}, "character cursor");
  ExpectEmpty(b, {356, 86, 364, 104}, "inside of the character cursor");
  ExpectEmpty(b, {320, 32, 432, 80}, "right of the New mark");
  ExpectEmpty(b, {368, 80, 432, 112}, "right of the cursor");
  // Gold for the first place, not for the others.
  auto warmth = [&](int i) {
    double sum = 0;
    int n = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 48 * i; x < 48 * i + 48; ++x) {
        const Rgb c = b.ColorAt(x, y);
        if (std::max({c.r, c.g, c.b}) < 150) continue;
        sum += int(c.r) - int(c.b);
        ++n;
      }
    return n ? sum / n : 0.0;
  };
  EXPECT_GT(warmth(0), warmth(1) + 40);
  EXPECT_GT(warmth(0), warmth(3) + 40);
}

uint32_t Le32(const std::vector<uint8_t>& v, size_t at) {
  return v[at] | (v[at + 1] << 8) | (v[at + 2] << 16) | (uint32_t(v[at + 3]) << 24);
}

TEST(WindowIcon, FourSizesEachWhereItsEntrySays) {
  std::vector<uint8_t> ico;
  ASSERT_TRUE(ReadFileBytes(std::string(VORTA_SOURCE_DIR) + "/resources/icon/vorta.ico", &ico));
  ASSERT_GE(ico.size(), 6u);
  EXPECT_EQ(ico[0] | (ico[1] << 8), 0);
  EXPECT_EQ(ico[2] | (ico[3] << 8), 1);
  const int count = ico[4] | (ico[5] << 8);
  ASSERT_EQ(count, 4);
  ASSERT_GE(ico.size(), 6u + 16u * count);
  const int sizes[] = {16, 32, 48, 256};
  for (int i = 0; i < count; ++i) {
    SCOPED_TRACE(sizes[i]);
    const size_t entry = 6 + 16 * i;
    EXPECT_EQ(ico[entry] == 0 ? 256 : ico[entry], sizes[i]);
    EXPECT_EQ(ico[entry + 1] == 0 ? 256 : ico[entry + 1], sizes[i]);
    const uint32_t bytes = Le32(ico, entry + 8), offset = Le32(ico, entry + 12);
    ASSERT_LE(size_t(offset) + bytes, ico.size());
    if (sizes[i] == 256) {
      EXPECT_EQ(std::memcmp(&ico[offset], "\x89PNG", 4), 0);
    } else {
      EXPECT_EQ(Le32(ico, offset), 40u);                          // BITMAPINFOHEADER
      EXPECT_EQ(Le32(ico, offset + 8), uint32_t(2 * sizes[i]));   // colour rows + mask rows
      EXPECT_EQ(ico[offset + 14], 32);
      const size_t mask_row = ((sizes[i] + 31) / 32) * 4;
      EXPECT_EQ(bytes, 40 + sizes[i] * sizes[i] * 4 + mask_row * sizes[i]);
      // The badge fills the middle: its centre pixel is opaque.
      const size_t centre = offset + 40 + (size_t(sizes[i] / 2) * sizes[i] + sizes[i] / 2) * 4;
      EXPECT_EQ(ico[centre + 3], 255);
    }
  }
}

}  // namespace
