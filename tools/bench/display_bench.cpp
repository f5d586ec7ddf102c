// Display benchmark (not a test): how long CreateDisplay takes, and how long one frame of 200
// bitmap-font glyphs takes to draw and to present, without the wait for the next sixtieth.
// Usage: display_bench.exe window|full [frames]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/win_globals.h"
#include "tools/bench/bench_window_win32.h"
#include "display/bitmap_surface_win32.h"
#include "display/display_win32.h"
#include "display/drawing_win32.h"

namespace {
struct Summary {
  double mean, median, p99;
};

Summary Summarise(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  double sum = 0;
  for (double s : samples) sum += s;
  return {sum / samples.size(), samples[samples.size() / 2],
          samples[static_cast<size_t>(0.99 * (samples.size() - 1))]};
}

// 200 glyphs: ten rows of twenty characters.
void DrawGlyphs(IDirectDrawSurface4* font, int cellWidth, DWORD flags) {
  static const char kLine[] = "0123456789ABCDEFGHIJ";
  for (int row = 0; row < 10; ++row) {
    DrawBitmapText(font, kLine, 20, POINT{8, 40 + row * 2 * cellWidth}, cellWidth, flags);
  }
}

void RunFrames(const char* what, IDirectDrawSurface4* font, int cellWidth, DWORD flags,
               int frames) {
  std::vector<double> drawing, presenting;
  for (int frame = 0; frame < frames; ++frame) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    const LARGE_INTEGER start = Now();
    FillBackBuffer(display_context.clear_rect, PackColor(0, 0, 0));
    DrawGlyphs(font, cellWidth, flags);
    const LARGE_INTEGER drawn = Now();
    ShowBackBuffer();
    const LARGE_INTEGER shown = Now();
    drawing.push_back(Milliseconds(start, drawn));
    presenting.push_back(Milliseconds(drawn, shown));
  }
  const Summary d = Summarise(drawing);
  const Summary p = Summarise(presenting);
  std::printf("  %-28s draw mean %6.3f ms  median %6.3f  p99 %6.3f | present mean %6.3f ms"
              "  median %6.3f  p99 %6.3f\n",
              what, d.mean, d.median, d.p99, p.mean, p.median, p.p99);
}
}  // namespace

int main(int argc, char** argv) {
  const bool windowedMode = argc < 2 || std::strcmp(argv[1], "full") != 0;
  const int frames = argc > 2 ? std::max(10, std::atoi(argv[2])) : 600;
  window = MakeBenchWindow("display_bench");

  std::vector<double> creates;
  for (int i = 0; i < 6; ++i) {
    const LARGE_INTEGER start = Now();
    const bool made = CreateDisplay(window, 640, 480, windowedMode ? 1 : 0, 0);
    creates.push_back(Milliseconds(start, Now()));
    if (!made) {
      std::printf("CreateDisplay failed (%s)\n", windowedMode ? "window" : "full screen");
      ReleaseDisplay();
      return 1;
    }
    if (i + 1 < 6) ReleaseDisplay();
  }
  const Summary again = Summarise(std::vector<double>(creates.begin() + 1, creates.end()));
  std::printf("%s, %s device:\n", windowedMode ? "window" : "full screen",
              display_context.hardware_device ? "HAL" : "software");
  std::printf("  CreateDisplay first %.1f ms, again (5 times) mean %.1f ms median %.1f ms\n",
              creates[0], again.mean, again.median);

  LoadSmallFont();
  IDirectDrawSurface4* large = LoadBitmapSurface(display_context.direct_draw, "FONT_DFPOP_32_CREAM");
  if (large != nullptr) SetBlackColorKey(large);
  std::printf("  %d frames each:\n", frames);
  RunFrames("200 glyphs 8x16 opaque", lpDDSFontDFPOP16OTHER1, 8, 0, frames);
  if (large != nullptr) RunFrames("200 glyphs 16x32 keyed", large, 16, DDBLT_KEYSRC, frames);

  ReleaseInterface(large);
  ReleaseSharedFonts();
  ReleaseDisplay();
  DestroyWindow(window);
  return 0;
}
