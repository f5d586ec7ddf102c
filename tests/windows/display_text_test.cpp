// Bitmap surfaces and text on a real windowed display: bitmaps from files and resources, the
// black colour key, glyph cells on the back buffer, and GDI text.
#include "display/drawing_win32.h"

#include <algorithm>
#include <cstdio>

#include "app/wide_text_win32.h"

#include "display_test_support.h"

namespace {
using namespace display_test;

struct Rgb {
  uint8_t r, g, b;
};

// Writes an uncompressed 8-bit Windows bitmap; pixels are palette indices, top row first.
bool WriteBitmap8(const char* path, int width, int height, const std::vector<Rgb>& palette,
                  const std::vector<uint8_t>& pixels) {
  const int stride = (width + 3) & ~3;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;  // bottom-up
  info.biPlanes = 1;
  info.biBitCount = 8;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(stride * height);
  info.biClrUsed = 256;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info + 256 * 4;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::FILE* out = std::fopen(path, "wb");
  if (out == nullptr) return false;
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&info, sizeof info, 1, out);
  for (int i = 0; i < 256; ++i) {
    const Rgb c = i < static_cast<int>(palette.size()) ? palette[i] : Rgb{0, 0, 0};
    const uint8_t quad[4] = {c.b, c.g, c.r, 0};
    std::fwrite(quad, 4, 1, out);
  }
  std::vector<uint8_t> row(static_cast<size_t>(stride), 0);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) row[x] = pixels[static_cast<size_t>(y * width + x)];
    std::fwrite(row.data(), 1, row.size(), out);
  }
  std::fclose(out);
  return true;
}

// Cell n of a test font is filled with palette colour n + 1, except for a black line along
// its top and its left, which keyed text must leave out.
Rgb CellColour(int index) {
  return Rgb{static_cast<uint8_t>((index % 8) * 32 + 16),
             static_cast<uint8_t>(((index / 8) % 8) * 32 + 16),
             static_cast<uint8_t>(((index / 64) % 4) * 64 + 32)};
}

bool WriteTestFont(const char* path, int cellWidth, Rgb (*colour)(int)) {
  const int perRow = cellWidth == 8 ? 48 : 40;
  const int rows = cellWidth == 8 ? 2 : 5;
  const int width = perRow * cellWidth;
  const int height = rows * 2 * cellWidth;
  std::vector<Rgb> palette(256, Rgb{0, 0, 0});
  for (int i = 0; i < 255; ++i) palette[static_cast<size_t>(i + 1)] = colour(i);
  std::vector<uint8_t> pixels(static_cast<size_t>(width * height), 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int cell = (y / (2 * cellWidth)) * perRow + x / cellWidth;
      const bool edge = x % cellWidth == 0 || y % (2 * cellWidth) == 0;
      pixels[static_cast<size_t>(y * width + x)] = edge ? 0 : static_cast<uint8_t>(cell % 255 + 1);
    }
  }
  return WriteBitmap8(path, width, height, palette, pixels);
}

class DisplayTextTest : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    ASSERT_TRUE(CreateDisplay(hwnd_, 640, 480, 1, 0));
    ASSERT_TRUE(WriteTestFont("display_test_font8.bmp", 8, &CellColour));
    blue_ = PackColor(0, 0, 255);
    ASSERT_TRUE(FillBackBuffer(display_context.clear_rect, blue_));
  }
  void TearDown() override {
    for (IDirectDrawSurface4*& surface : loaded_) ReleaseInterface(surface);
    DisplayTest::TearDown();
  }
  IDirectDrawSurface4* Load(const char* name) {
    IDirectDrawSurface4* surface = LoadBitmapSurface(display_context.direct_draw, name);
    loaded_.push_back(surface);
    return surface;
  }

  uint32_t blue_ = 0;
  std::vector<IDirectDrawSurface4*> loaded_;
};

// Every pixel of the back buffer's cell at (x, y) against the font's cell at (sx, sy): keyed,
// black font pixels show what was there before (`under`); otherwise the font pixel itself.
void ExpectCell(const Pixels& back, const Pixels& font, int x, int y, int sx, int sy, int width,
                int height, bool keyed, uint32_t under, const char* what) {
  int wrong = 0;
  for (int dy = 0; dy < height; ++dy) {
    for (int dx = 0; dx < width; ++dx) {
      const uint32_t source = font.At(sx + dx, sy + dy);
      const uint32_t expected = keyed && source == 0 ? under : source;
      if (back.At(x + dx, y + dy) != expected) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0) << what << " at (" << x << ", " << y << ")";
}

TEST_F(DisplayTextTest, BitmapFilesResourcesAndTheirOrder) {
  StartFreshLog();
  IDirectDrawSurface4* font = Load("display_test_font8.bmp");
  const Pixels pixels = ReadPixels(font);
  ASSERT_EQ(pixels.width, 384);
  ASSERT_EQ(pixels.height, 32);
  const Rgb a = CellColour('A' - 32);
  EXPECT_EQ(pixels.At(264 + 4, 8), PackColor(a.r, a.g, a.b)) << "the inside of the A cell";
  EXPECT_EQ(pixels.At(264, 8), 0u) << "the black edge stays black";

  EXPECT_EQ(Load("display_test_no_such_picture"), nullptr);
  EXPECT_TRUE(Contains(ReadLog(), "リソース、ファイル共にビットマップが見つかりません\n"));

  // A file named like a resource is not used while the resource exists...
  ASSERT_TRUE(WriteBitmap8("FONT_DFPOP_16_OTHER1", 16, 16, {Rgb{0, 0, 0}},
                           std::vector<uint8_t>(256, 0)));
  EXPECT_EQ(ReadPixels(Load("font_dfpop_16_other1")).width, 384)
      << "resource names ignore case and win over files";
  // ...and is used for a name without a resource.
  ASSERT_TRUE(WriteBitmap8("display_test_file_only", 16, 8, {Rgb{0, 0, 0}},
                           std::vector<uint8_t>(128, 0)));
  EXPECT_EQ(ReadPixels(Load("display_test_file_only")).width, 16);
  DeleteFileA("FONT_DFPOP_16_OTHER1");
  DeleteFileA("display_test_file_only");
}

TEST_F(DisplayTextTest, KeyedAndOpaqueTextCells) {
  IDirectDrawSurface4* font = Load("display_test_font8.bmp");
  ASSERT_NE(font, nullptr);
  ASSERT_EQ(SetBlackColorKey(font), DD_OK);
  const Pixels glyphs = ReadPixels(font);

  for (const bool keyed : {true, false}) {
    const int y = keyed ? 50 : 100;
    EXPECT_EQ(DrawBitmapText(font, "AB", 10, POINT{100, y}, 8, keyed ? DDBLT_KEYSRC : 0), 2);
    const Pixels back = ReadPixels(display_context.back_buffer);
    ExpectCell(back, glyphs, 100, y, 264, 0, 8, 16, keyed, blue_, keyed ? "keyed A" : "A");
    ExpectCell(back, glyphs, 108, y, 272, 0, 8, 16, keyed, blue_, keyed ? "keyed B" : "B");
  }
  const Pixels back = ReadPixels(display_context.back_buffer);
  EXPECT_EQ(back.At(99, 55), blue_);
  EXPECT_EQ(back.At(116, 55), blue_) << "nothing past the second cell";
  EXPECT_EQ(back.At(104, 66), blue_) << "nothing below the cell";
}

TEST_F(DisplayTextTest, GdiTextPaintsItsCellsInTheDescribedColours) {
  ASSERT_TRUE(FillBackBuffer(display_context.clear_rect, PackColor(0, 0, 0)));
  const GdiFontDescription help = {RGB(255, 255, 255), RGB(255, 0, 0), 16, FW_NORMAL, 0,
                                   "ＭＳ Ｐゴシック"};
  DrawGdiText("ボタンを押してください", 20, 20, &help);
  DrawGdiText("Default", 20, 200, nullptr);
  const Pixels back = ReadPixels(display_context.back_buffer);
  int red = 0;
  int strokes = 0;  // white, or blended towards white at the edges
  int white = 0;
  for (int y = 20; y < 36; ++y) {
    for (int x = 20; x < 220; ++x) {
      const uint32_t pixel = back.At(x, y);
      if (pixel == PackColor(255, 0, 0)) ++red;
      if (pixel != PackColor(255, 0, 0) && pixel != 0) ++strokes;
      if (pixel == PackColor(255, 255, 255)) ++white;
    }
  }
  EXPECT_GT(red, 100) << "the background of the text cells";
  EXPECT_GT(strokes, 100) << "the strokes of the characters";
  EXPECT_GT(white, 0) << "in the text colour";
  EXPECT_EQ(back.At(20, 60), 0u) << "nothing below the line";
  int changed = 0;
  for (int x = 20; x < 80; ++x) changed += back.At(x, 205) != 0 ? 1 : 0;
  EXPECT_GT(changed, 0) << "without a description the context's own font draws";
}

TEST_F(DisplayTextTest, GdiTextKeepsTheAskedFaceOrTakesOneThatHasTheWholeLine) {
  const char* line = "Esc キーでキャンセルできます。";
  GdiFontDescription help = {RGB(0, 255, 0), RGB(0, 0, 0), 16, FW_BOLD, 0, "ＭＳ Ｐゴシック"};
  EXPECT_EQ(GdiFaceFor(help, line), L"ＭＳ Ｐゴシック") << "the prefix has it, by its mapping";
  // A face this prefix lacks, as a set-up without the mapping lacks the asked one: GDI's
  // Japanese substitute there has no Latin letters.
  help.face = "Vorta Nowhere Gothic";
  const std::wstring chosen = GdiFaceFor(help, line), wide = WidenUtf8(line);
  EXPECT_NE(chosen, L"Vorta Nowhere Gothic");
  HDC context = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontW(16, 0, 0, 0, FW_BOLD, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, chosen.c_str());
  SelectObject(context, font);
  std::vector<WORD> glyphs(wide.size());
  GetGlyphIndicesW(context, wide.c_str(), static_cast<int>(wide.size()), glyphs.data(),
                   GGI_MARK_NONEXISTING_GLYPHS);
  DeleteDC(context);
  DeleteObject(font);
  EXPECT_EQ(std::count(glyphs.begin(), glyphs.end(), 0xFFFF), 0) << "Esc and the kana alike";
}
}  // namespace
