#include "app/wide_text_win32.h"

#include <windows.h>

std::wstring WidenUtf8(const char* utf8) {
  if (utf8 == nullptr) return std::wstring();
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  if (length <= 1) return std::wstring();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), length);
  wide.resize(static_cast<size_t>(length) - 1);
  return wide;
}

std::string NarrowToCodePage932(const std::string& utf8) {
  const std::wstring wide = WidenUtf8(utf8.c_str());
  if (wide.empty()) return std::string();
  constexpr UINT kCodePage932 = 932;
  const int length = WideCharToMultiByte(
      kCodePage932, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(kCodePage932, 0, wide.c_str(), static_cast<int>(wide.size()), narrow.data(),
                      length, nullptr, nullptr);
  return narrow;
}
