// Bitmap surfaces on a real windowed display: bitmaps from files and resources, and which of
// the two wins. Text on the screens is guarded by the golden pictures.
#include "display/drawing_win32.h"

#include <cstdio>

#include "display_test_support.h"

namespace {
using namespace display_test;

// The resource bitmap `name` as a .bmp file: a file header before the resource's own bytes.
bool WriteResourceAsFile(const char* name, const char* path) {
  HRSRC found = FindResourceA(nullptr, name, MAKEINTRESOURCEA(2));  // RT_BITMAP
  HGLOBAL loaded = found != nullptr ? LoadResource(nullptr, found) : nullptr;
  if (loaded == nullptr) return false;
  const auto* info = static_cast<const BITMAPINFOHEADER*>(LockResource(loaded));
  const DWORD size = SizeofResource(nullptr, found);
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfSize = sizeof file + size;
  file.bfOffBits = sizeof file + info->biSize + (info->biClrUsed != 0 ? info->biClrUsed : 256) * 4;
  std::FILE* out = std::fopen(path, "wb");
  if (out == nullptr) return false;
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(info, size, 1, out);
  return std::fclose(out) == 0;
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
  ScratchFolder folder;  // for the bitmap files the case writes
  StartDebugLog();
  // A file of its own name gives the same picture as the resource it was made from.
  ASSERT_TRUE(WriteResourceAsFile("OPTION", "display_test_file_only"));
  const Pixels file = ReadPixels(Load("display_test_file_only"));
  EXPECT_EQ(file.width, 148);
  EXPECT_EQ(file.values, ReadPixels(Load("OPTION")).values);

  EXPECT_EQ(Load("display_test_no_such_picture"), nullptr);
  EXPECT_TRUE(Contains(ReadLog(), L"リソース、ファイル共にビットマップが見つかりません\n"));

  // A file named like a resource is not used while the resource exists...
  ASSERT_TRUE(WriteResourceAsFile("OPTION", "FONT_DFPOP_16_OTHER1"));
  EXPECT_EQ(ReadPixels(Load("font_dfpop_16_other1")).width, 384)
      << "resource names ignore case and win over files";
}

}  // namespace
