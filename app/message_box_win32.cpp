#include "app/wide_text_win32.h"
#include "app/win_globals.h"

void ShowMessageBox(const char* text, const char* caption) {
  // A failed start-up may already have destroyed the window, which posted the quit message; a
  // box would close at once on it, unread. Hold the quit back until the player has pressed OK.
  MSG quit;
  const bool quitting = PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
  HWND owner = IsWindow(window) ? window : nullptr;
  MessageBoxW(owner, WidenUtf8(text).c_str(), WidenUtf8(caption).c_str(), MB_OK);
  if (quitting) PostQuitMessage(static_cast<int>(quit.wParam));
}
