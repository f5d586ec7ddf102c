// Bitmap surfaces on a real windowed display: bitmaps from files and resources, and which of
// the two wins. Text on the screens is guarded by the golden pictures.
#include "display/drawing_win32.h"

#include <cstdio>

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

class BitmapSurfaceTest : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    ASSERT_TRUE(CreateDisplay(hwnd_, 640, 480, 1, 0));
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

  std::vector<IDirectDrawSurface4*> loaded_;
};

TEST_F(BitmapSurfaceTest, BitmapFilesResourcesAndTheirOrder) {
  StartFreshLog();
  // The file keeps its rows bottom first; the picture comes out upright.
  std::vector<uint8_t> pixels(16 * 8, 0);
  pixels[2 * 16 + 3] = 1;
  ASSERT_TRUE(WriteBitmap8("display_test_file_only", 16, 8, {Rgb{0, 0, 0}, Rgb{255, 0, 0}}, pixels));
  const Pixels file = ReadPixels(Load("display_test_file_only"));
  ASSERT_EQ(file.width, 16);
  EXPECT_EQ(file.At(3, 2), PackColor(255, 0, 0));
  EXPECT_EQ(file.At(3, 5), 0u);

  EXPECT_EQ(Load("display_test_no_such_picture"), nullptr);
  EXPECT_TRUE(Contains(ReadLog(), "リソース、ファイル共にビットマップが見つかりません\n"));

  // A file named like a resource is not used while the resource exists...
  ASSERT_TRUE(WriteBitmap8("FONT_DFPOP_16_OTHER1", 16, 16, {Rgb{0, 0, 0}},
                           std::vector<uint8_t>(256, 0)));
  EXPECT_EQ(ReadPixels(Load("font_dfpop_16_other1")).width, 384)
      << "resource names ignore case and win over files";
  DeleteFileA("FONT_DFPOP_16_OTHER1");
  DeleteFileA("display_test_file_only");
}

}  // namespace
