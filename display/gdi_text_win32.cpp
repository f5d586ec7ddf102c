// GDI text on the back buffer, for the option screen's help lines.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "app/wide_text_win32.h"
#include "display/display_win32.h"
#include "display/drawing_win32.h"

namespace {

HFONT CreateDescribedFont(const GdiFontDescription& description, const std::wstring& face) {
  // The face is named in Japanese; SHIFTJIS_CHARSET lets a system without it pick a Japanese
  // substitute rather than a Latin face without kana.
  return CreateFontW(description.height, 0, 0, 0, description.weight,
                     description.italic != 0 ? TRUE : FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                     FIXED_PITCH | FF_MODERN, face.c_str());
}

// What GDI gives for a face name: the face itself, and a font that draws every character of
// the line (a substitute may lack the Latin letters, or the kana, and draw boxes instead).
struct FaceFit {
  bool is_face;
  bool draws_line;
};

FaceFit TryFace(HDC context, const GdiFontDescription& description, const std::wstring& face,
                const std::wstring& line) {
  FaceFit fit = {false, false};
  HFONT font = CreateDescribedFont(description, face);
  if (font == nullptr) return fit;
  HGDIOBJ previous = SelectObject(context, font);
  wchar_t given[LF_FACESIZE] = {};
  GetTextFaceW(context, LF_FACESIZE, given);
  fit.is_face = lstrcmpiW(given, face.c_str()) == 0;
  std::vector<WORD> glyphs(line.size());
  fit.draws_line = GetGlyphIndicesW(context, line.c_str(), static_cast<int>(line.size()),
                                    glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) != GDI_ERROR &&
                   std::find(glyphs.begin(), glyphs.end(), 0xFFFF) == glyphs.end();
  SelectObject(context, previous);
  DeleteObject(font);
  return fit;
}

int CALLBACK CollectFace(const LOGFONTW* logFont, const TEXTMETRICW*, DWORD, LPARAM faces) {
  // A name beginning with '@' is the same face turned for vertical writing.
  if (logFont->lfFaceName[0] != L'@') {
    reinterpret_cast<std::vector<std::wstring>*>(faces)->push_back(logFont->lfFaceName);
  }
  return 1;
}

// The asked face wherever it exists, and GDI's own substitute when that draws the whole line;
// else the first installed Japanese face that does. When none does, GDI's choice stands.
std::wstring ChooseFace(const GdiFontDescription& description, const std::wstring& asked,
                        const std::wstring& line) {
  HDC context = CreateCompatibleDC(nullptr);
  if (context == nullptr) return asked;
  std::wstring chosen = asked;
  const FaceFit fit = TryFace(context, description, asked, line);
  if (!fit.is_face && !fit.draws_line) {
    std::vector<std::wstring> faces;
    LOGFONTW japanese = {};
    japanese.lfCharSet = SHIFTJIS_CHARSET;
    EnumFontFamiliesExW(context, &japanese, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
    for (const std::wstring& face : faces) {
      if (TryFace(context, description, face, line).draws_line) {
        chosen = face;
        break;
      }
    }
  }
  DeleteDC(context);
  return chosen;
}

}  // namespace

std::wstring GdiFaceFor(const GdiFontDescription& description, const char* text) {
  // The lines are drawn every frame and the installed fonts do not change while the game runs.
  static std::map<std::wstring, std::wstring> chosen;  // asked face, newline, line: face
  const std::wstring asked = WidenUtf8(description.face);
  const std::wstring line = WidenUtf8(text);
  const std::wstring key = asked + L'\n' + line;
  auto found = chosen.find(key);
  if (found == chosen.end()) found = chosen.emplace(key, ChooseFace(description, asked, line)).first;
  return found->second;
}

void DrawGdiText(const char* text, int32_t x, int32_t y, const GdiFontDescription* description) {
  IDirectDrawSurface4* back = display_context.back_buffer;
  if (back == nullptr || text == nullptr) return;
  HDC context = nullptr;
  if (FAILED(back->GetDC(&context))) return;

  HFONT font = nullptr;
  HGDIOBJ previous = nullptr;
  if (description != nullptr) {
    font = CreateDescribedFont(*description, GdiFaceFor(*description, text));
    if (font != nullptr) previous = SelectObject(context, font);
    SetBkColor(context, description->background_color);
    SetTextColor(context, description->text_color);
  }

  const std::wstring wide = WidenUtf8(text);
  TextOutW(context, x, y, wide.c_str(), static_cast<int>(wide.size()));

  if (font != nullptr) {
    SelectObject(context, previous);
    DeleteObject(font);
  }
  back->ReleaseDC(context);
}
