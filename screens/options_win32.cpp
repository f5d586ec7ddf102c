#include "screens/options_win32.h"

#include "app/scene_frame_win32.h"
#include "app/scene_state.h"
#include "app/settings.h"
#include "app/shell_win32.h"
#include "display/bitmap_surface_win32.h"
#include "display/display_win32.h"
#include "display/drawing_win32.h"
#include "input/input_win32.h"
#include "input/joystick_fold.h"
#include "input/key_state.h"
#include "screens/options.h"
#include "screens/screen_art_win32.h"

namespace {
IDirectDrawSurface4* option_picture = nullptr;  // the OPTION picture: title band and brackets

constexpr RECT kTitleSource = {0, 0, 148, 48};
constexpr RECT kTitleDest = {246, 0, 394, 48};
constexpr RECT kLeftBracketSource = {0, 48, 16, 80};
constexpr RECT kRightBracketSource = {16, 48, 32, 80};
constexpr int32_t kBracketWidth = 16;   // pixels
constexpr int32_t kBracketHeight = 32;  // pixels
constexpr int32_t kCellWidth = 16;      // pixels per character

const GdiFontDescription kHelpFont = {RGB(0, 255, 0), RGB(0, 0, 0), 16, 700, 0,
                                      "ＭＳ Ｐゴシック"};

void DrawText32(IDirectDrawSurface4* font, const char* text, int32_t x, int32_t y) {
  DrawBitmapText(font, text, kOptionTextSize, POINT{x, y}, kCellWidth, DDBLT_KEYSRC);
}

// The source rectangle copied with its top left at (x, y).
void BlitAt(IDirectDrawSurface4* source, const RECT& sourceRect, int32_t x, int32_t y,
            DWORD flags) {
  const RECT destination = {x, y, x + (sourceRect.right - sourceRect.left),
                            y + (sourceRect.bottom - sourceRect.top)};
  BlitToBackBuffer(source, sourceRect, destination, flags);
}

void DrawRow(int32_t row, bool hasJoystick) {
  const int32_t y = OptionRowY(row, hasJoystick);
  char value[kOptionTextSize];
  OptionRowValue(option_edit, row, value);
  DrawText32(lpDDSFontDFPOP32ORANGE, OptionRowLabel(row), kOptionLabelX, y);
  DrawText32(lpDDSFontDFPOP32CREAM, value, kOptionValueX, y);
}

}  // namespace

void DrawOptions(bool hasJoystick) {
  FillBackBuffer(display_context.clear_rect, 0);
  if (option_picture != nullptr) {
    BlitToBackBuffer(option_picture, kTitleSource, kTitleDest, DDBLT_KEYSRC);
  }
  DrawRow(kOptionScreenRow, hasJoystick);
  DrawRow(kOptionSpeedometerRow, hasJoystick);
  if (hasJoystick) {
    DrawText32(lpDDSFontDFPOP32ORANGE, "Joystick Key Config", kOptionLabelX, 170);
    for (int32_t row = kOptionFirstButtonRow; row <= kOptionLastButtonRow; ++row) {
      DrawRow(row, hasJoystick);
    }
    if (OnButtonRow(option_edit.option_cursor)) {
      DrawGdiText("各キーに対応させるジョイスティックのボタンを押してください。", 88, 330,
                  &kHelpFont);
    }
  }
  DrawText32(lpDDSFontDFPOP32ORANGE, "OK", kOptionOkX, OptionRowY(kOptionOkRow, hasJoystick));
  DrawGdiText("Esc キーでキャンセルできます。", 210, 448, &kHelpFont);

  // Without a joystick the cursor never rests on the undrawn button rows.
  if (option_picture == nullptr) return;
  const BracketPositions brackets = CursorBrackets(option_edit, hasJoystick);
  const RECT left = {brackets.left_x, brackets.y, brackets.left_x + kBracketWidth,
                     brackets.y + kBracketHeight};
  BlitToBackBuffer(option_picture, kLeftBracketSource, left, DDBLT_KEYSRC);
  BlitAt(option_picture, kRightBracketSource, brackets.right_x, brackets.y, DDBLT_KEYSRC);
}

namespace {

// The edited copy becomes the settings; a changed screen mode rebuilds the display first.
// false when that rebuild failed: the display is gone and the game is leaving.
bool ApplyAndLeave() {
  bool rebuilt = true;
  if (ScreenModeChanged(option_edit)) {
    rebuilt = RebuildDisplay(option_edit.edit_windowed);
    if (rebuilt) {
      // Full screen may have been refused; the mode the game runs in is the one kept.
      option_edit.edit_windowed = windowed;
      SetCursorVisible(windowed);
    } else {
      scene_state = SCENE_EXIT;
    }
  }
  ApplyOptionEdit(option_edit);
  // A picture that failed to load in the rebuild has asked for the exit; that stands.
  if (!rebuilt || scene_state == SCENE_EXIT) return false;
  scene_state = SCENE_TITLE_ENTER;
  return true;
}

void CaptureJoystickButton() {
  JoystickReading reading = {};
  if (HasJoystick() && OnButtonRow(option_edit.option_cursor) && ReadJoystick(reading)) {
    AssignHeldButton(option_edit, reading.buttons);
  }
}
}  // namespace

void EnterOptions() {
  ReleaseSceneSurfaces();
  LoadSmallFont();
  LoadOptionArt();
  option_edit = CopySettingsForEditing();
  FinishSceneEntry(SCENE_OPTIONS);
}

void OptionsFrame() {
  if (!RecoverLostPictures()) return;
  FollowScreenMode(option_edit, windowed);
  button_capture = ButtonCaptureFor(option_edit.option_cursor);
  if (ReadFrameInput()) {
    CaptureJoystickButton();
    const bool apply = StepOptionKeys(option_edit, key_state, previous_key_state, HasJoystick());
    RememberKeyState();
    if (apply && !ApplyAndLeave()) return;
  }
  DrawOptions(HasJoystick());
  DrawFrameRate();
  PresentFrame();
}

void LoadOptionArt() {
  LoadKeyedPicture(option_picture, "OPTION", "オプション画面読み込み失敗",
                   "カラー・キーの設定失敗（Option）");
  LoadLargeFonts();
}

void ReleaseOptionArt() {
  ReleaseInterface(option_picture);
  button_capture = 0;
}
