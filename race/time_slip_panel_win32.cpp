#include "race/time_slip_panel_win32.h"

#include <windows.h>
#include <ddraw.h>

#include "app/debug_log.h"
#include "app/settings.h"
#include "display/bitmap_surface_win32.h"
#include "display/display_win32.h"
#include "display/drawing_win32.h"
#include "race/time_slip_panel.h"

namespace {
IDirectDrawSurface4* lpDDSTimeSlip = nullptr;
}  // namespace

void LoadTimeSlipPicture() {
  ReleaseInterface(lpDDSTimeSlip);
  lpDDSTimeSlip = LoadBitmapSurface(display_context.direct_draw, "TIMESLIP");
  if (lpDDSTimeSlip != nullptr && FAILED(SetBlackColorKey(lpDDSTimeSlip))) {
    ReleaseInterface(lpDDSTimeSlip);
  }
  // The slip is an extra: without its picture the race itself is whole.
  if (lpDDSTimeSlip == nullptr) WriteLog("TIMESLIP読み込み失敗。タイムスリップは表示しません。\n");
}

void ReleaseTimeSlipPicture() { ReleaseInterface(lpDDSTimeSlip); }

void DrawTimeSlipPanel(const RaceState& race, float courseLength) {
  if (time_slip_panel == 0 || lpDDSTimeSlip == nullptr) return;
  for (const InstrumentBlit& cell : TimeSlipPanel(race.slip, courseLength)) {
    BlitToBackBuffer(lpDDSTimeSlip, ToRect(cell.source), ToRect(cell.destination), DDBLT_KEYSRC);
  }
}
