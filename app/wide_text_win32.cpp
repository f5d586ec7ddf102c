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
