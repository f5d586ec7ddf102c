#include "app/scene_state.h"
#include "app/settings.h"
#include "app/shell_win32.h"
#include "app/win_globals.h"
#include "display/shown_picture.h"

bool shell_booted = false;

namespace {
// The game's function keys that must answer while Alt (the throttle) is held, when Windows
// sends them as system keys.
bool IsGameKeyWithAlt(WPARAM virtualKey) {
  return virtualKey == VK_F1 || virtualKey == VK_F3 || virtualKey == VK_F4 || virtualKey == VK_F5;
}

// Bit 30 of a key message: the key was already down. A held key must not flicker a switch.
bool IsKeyRepeat(LPARAM lParam) { return (lParam & (1 << 30)) != 0; }
}  // namespace

void SetCursorVisible(int flag) {
  // ShowCursor keeps a display counter: step it until it is on the visible or hidden side.
  if (flag == 1) {
    while (ShowCursor(TRUE) < 1) {
    }
  } else {
    while (ShowCursor(FALSE) >= 0) {
    }
  }
}

int OnKeyDown(HWND hwnd, UINT message, WPARAM virtualKey, LPARAM lParam) {
  // An Esc or F2 held while the game starts would skip or disturb the boot step.
  if (!shell_booted) return 1;

  switch (virtualKey) {
    case VK_ESCAPE:
      scene_state = SCENE_TITLE_ENTER;
      return 1;
    case VK_F2:
      windowed = windowed == 0 ? 1 : 0;
      if (!RebuildDisplay(windowed)) scene_state = SCENE_EXIT;
      SetCursorVisible(windowed);
      return 1;
    case VK_F1:
      if (scene_state != SCENE_RACE) return 0;
      speedometer_style = NextSpeedometerStyle(speedometer_style);
      return 1;
    case VK_F3:
      if (scene_state != SCENE_RACE) return 0;
      if (!IsKeyRepeat(lParam)) time_slip_panel = time_slip_panel == 0 ? 1 : 0;
      return 1;
    case VK_F4:
      // Outside the race Alt+F4 must still reach the system and close the window.
      if (scene_state != SCENE_RACE) return 0;
      if (!IsKeyRepeat(lParam)) ghost_car = ghost_car == 0 ? 1 : 0;
      return 1;
    case VK_F5:
      // In every scene; the race hears the change on its next frame.
      if (!IsKeyRepeat(lParam)) engine_sound = engine_sound == 0 ? 1 : 0;
      return 1;
    default:
      return 0;
  }
}

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      // The close box and Alt+F4 keep what the player earned, as the title's exit does.
      SaveOnExit();
      break;
    case WM_PAINT:
      // Uncovered: a scene that leaves a still picture on the screen must draw it again.
      ForgetShownPicture(shown_picture);
      break;
    case WM_ACTIVATEAPP:
      // Full screen minimises the window when another program takes the screen. Wine hands
      // the activation back to it, still minimised, when that program goes away: nothing would
      // be shown again, so the window restores itself as a click on its taskbar button does.
      if (wParam != FALSE && IsIconic(hwnd)) PostMessageA(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
      break;
    case WM_DESTROY:
      RemovePropA(hwnd, kDisplayModeProperty);
      PostQuitMessage(0);
      break;
    case WM_KEYDOWN:
      if (OnKeyDown(hwnd, message, wParam, lParam) == 1) return 0;
      break;
    case WM_SYSKEYDOWN:
      // Alt is the throttle: alone it must never open the system menu. Alt+F4 still closes.
      if (wParam == VK_MENU) return 0;
      // With the throttle held the game's function keys come as system keys; they must still
      // answer. A key the game does not take (Alt+F4 outside the race) keeps its system meaning.
      if (IsGameKeyWithAlt(wParam) && OnKeyDown(hwnd, message, wParam, lParam) == 1) {
        return 0;
      }
      break;
    case WM_SYSKEYUP:
      if (wParam == VK_MENU) return 0;
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
