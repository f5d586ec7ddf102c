// The entry point: the window and a message loop that never blocks.
#include <windows.h>
#include <winnls32.h>

#include <cstdio>

#include "app/command_line.h"
#include "app/debug_log_win32.h"
#include "app/game_version.h"
#include "app/shell_win32.h"
#include "app/step_trace_win32.h"
#include "app/win_globals.h"
#include "display/display_win32.h"

namespace {
constexpr char kClassName[] = "tobrel";

bool CreateGameWindow(int showCommand) {
  char title[64];
  std::snprintf(title, sizeof title, "%s Ver%d.%d", "vorta ~Mark Q~", kGameVersionMajor,
                kGameVersionMinor);

  // In a window the display set-up corrects the size so that the client area is exactly
  // 640x480; in full screen the window keeps this one.
  const int width = kPictureWidth + 2 * GetSystemMetrics(SM_CXEDGE);
  const int height =
      kPictureHeight + GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYEDGE);

  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = 0;
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, "Icon");
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = nullptr;
  windowClass.lpszMenuName = "None";
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassExA(&windowClass)) return false;

  window = CreateWindowExA(WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE, kClassName, title,
                           WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, width, height,
                           nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return false;
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  return true;
}
}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR commandLine, int showCommand) {
  TraceStep("program");
  instance = hInstance;
  if (IsDebugSwitch(commandLine)) StartDebugLog();
  PrepareDisplayDriver();

  if (!CreateGameWindow(showCommand)) return 0;
  WINNLSEnableIME(nullptr, FALSE);
  TraceStep("window");

  SceneServices& services = GameSceneServices();
  MSG message;
  for (;;) {
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) break;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    } else {
      DispatchScene(false, services);
    }
  }
  DispatchScene(true, services);
  ShowCursor(TRUE);
  return 0;
}
