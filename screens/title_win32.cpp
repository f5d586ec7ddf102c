#include "screens/title_win32.h"

#include "app/frame_timer.h"
#include "app/frame_timer_win32.h"
#include "app/scene_frame_win32.h"
#include "app/scene_state.h"
#include "app/shell_win32.h"
#include "app/step_trace_win32.h"
#include "app/win_globals.h"
#include "display/bitmap_surface_win32.h"
#include "display/display_win32.h"
#include "display/drawing_win32.h"
#include "display/shown_picture.h"
#include "input/input_win32.h"
#include "input/key_state.h"
#include "screens/title.h"

IDirectDrawSurface4* lpDDSTitle = nullptr;

namespace {
bool first_frame_traced = false;

// keyFailureEnds: the first set-up runs on with an unkeyed picture, a reload does not.
void LoadTitleSurface(bool keyFailureEnds) {
  LoadKeyedPicture(lpDDSTitle, "Title", "Title画像読み込み失敗", "カラー・キーの設定失敗（Title）",
                   keyFailureEnds);
}

// Everything a title frame's picture is made of, to tell an unchanged frame.
struct TitlePicture {
  int32_t piece_count;
  int32_t frame_rate;
  TitlePiece pieces[kMaxTitlePieces];
};

void DrawTitlePieces(const TitlePiece* pieces, int count) {
  FillBackBuffer(display_context.clear_rect, 0);
  if (lpDDSTitle == nullptr) return;
  for (int i = 0; i < count; ++i) {
    BlitToBackBuffer(lpDDSTitle, ToRect(pieces[i].source), ToRect(pieces[i].destination),
                     DDBLT_KEYSRC);
  }
}

}  // namespace

void EnterTitle() {
  ResetTitleVisit(title_state);
  ForgetShownPicture(shown_picture);
  ReleaseSceneSurfaces();
  LoadSmallFont();
  TraceStep("small font");
  LoadTitleSurface(false);
  TraceStep("title art");
  FinishSceneEntry(SCENE_TITLE);
}

void TitleFrame() {
  if (!RecoverLostPictures()) return;
  AdvanceTitleClock(title_state, ReadTimer());
  if (ReadFrameInput()) {
    scene_state = HandleTitleKeys(title_state, key_state, previous_key_state, ReadTimer(),
                                  scene_state, race_mode);
    RememberKeyState();
  }
  // Once the opening is over the title stands still: an unchanged picture is left on the
  // screen rather than drawn and copied again.
  TitlePicture picture = {};
  picture.piece_count = PlanTitleFrame(title_state, ReadTimer(), picture.pieces);
  picture.frame_rate = frame_rate;
  if (!PictureIsNew(shown_picture, &picture, sizeof picture)) {
    WaitForFrame();
    return;
  }
  DrawTitlePieces(picture.pieces, picture.piece_count);
  DrawFrameRate();
  ShowBackBuffer();
  TraceFirstFrame("first title frame", first_frame_traced);
  WaitForFrame();
  RememberShownPicture(shown_picture, &picture, sizeof picture);
}

void DrawTitle() { DrawTitleAt(ReadTimer()); }

void DrawTitleAt(uint32_t now) {
  TitlePiece pieces[kMaxTitlePieces];
  const int count = PlanTitleFrame(title_state, now, pieces);
  DrawTitlePieces(pieces, count);
}

void LoadTitleArt() { LoadTitleSurface(true); }

void ReleaseTitleArt() { ReleaseInterface(lpDDSTitle); }
