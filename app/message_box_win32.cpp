#include <string>

#include "app/win_globals.h"

namespace {
std::wstring Widen(const char* utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  if (length <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), length);
  wide.resize(static_cast<size_t>(length) - 1);
  return wide;
}
}  // namespace

void ShowMessageBox(const char* text, const char* caption) {
  // A failed start-up may already have destroyed the window, which posted the quit message; a
  // box would close at once on it, unread. Hold the quit back until the player has pressed OK.
  MSG quit;
  const bool quitting = PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
  HWND owner = IsWindow(window) ? window : nullptr;
  MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), MB_OK);
  if (quitting) PostQuitMessage(static_cast<int>(quit.wParam));
}
