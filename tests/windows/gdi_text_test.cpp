// The option screen's help line in a face that has every character of it, on any Windows or
// Wine set-up.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/wide_text_win32.h"
#include "display/drawing_win32.h"

TEST(GdiText, KeepsTheAskedFaceOrTakesOneThatHasTheWholeLine) {
  const char* line = "Esc キーでキャンセルできます。";
  GdiFontDescription help = {RGB(0, 255, 0), RGB(0, 0, 0), 16, FW_BOLD, 0, "ＭＳ Ｐゴシック"};
  EXPECT_EQ(GdiFaceFor(help, line), L"ＭＳ Ｐゴシック") << "the prefix has it, by its mapping";
  // A face this prefix lacks, as a set-up without the mapping lacks the asked one: GDI's
  // Japanese substitute there has no Latin letters.
  help.face = "Vorta Nowhere Gothic";
  const std::wstring chosen = GdiFaceFor(help, line), wide = WidenUtf8(line);
  EXPECT_NE(chosen, L"Vorta Nowhere Gothic");
  HDC context = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontW(16, 0, 0, 0, FW_BOLD, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                           chosen.c_str());
  SelectObject(context, font);
  std::vector<WORD> glyphs(wide.size());
  GetGlyphIndicesW(context, wide.c_str(), static_cast<int>(wide.size()), glyphs.data(),
                   GGI_MARK_NONEXISTING_GLYPHS);
  DeleteDC(context);
  DeleteObject(font);
  EXPECT_EQ(std::count(glyphs.begin(), glyphs.end(), 0xFFFF), 0) << "Esc and the kana alike";
}
