#include "app/win_globals.h"

HWND window = nullptr;
HINSTANCE instance = nullptr;
