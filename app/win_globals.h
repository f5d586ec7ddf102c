// The Windows handles the whole program shares.
#pragma once

#include <windows.h>

extern HWND window;          // the one game window
extern HINSTANCE instance;   // this module

// The game window's property that names the display mode the game runs in (1 a window,
// 2 full screen), for tools that look at the game from outside.
constexpr char kDisplayModeProperty[] = "vorta.display_mode";

// A message box over the game window. Texts are UTF-8 and shown through the wide-character
// API, so the Japanese messages read correctly on a Windows of any language.
void ShowMessageBox(const char* text, const char* caption);
