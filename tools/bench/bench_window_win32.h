// What the benchmark programs share: the performance counter in milliseconds and a plain
// window the size of the game's.
#pragma once

#include <windows.h>

inline LARGE_INTEGER Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now;
}

inline double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

// A shown window with the game's frame styles and outer size (640x480 inside).
inline HWND MakeBenchWindow(const char* className) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = className;
  RegisterClassExA(&windowClass);
  HWND hwnd = CreateWindowExA(WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE, className, className,
                              WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 644, 504, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(hwnd, SW_SHOW);
  return hwnd;
}
