#include "race/time_slip_panel_win32.h"

#include <windows.h>
#include <ddraw.h>

#include <cstring>
#include <utility>
#include <vector>

#include "app/debug_log.h"
#include "app/settings.h"
#include "display/bitmap_surface_win32.h"
#include "display/display_win32.h"
#include "display/drawing_win32.h"
#include "race/time_slip_panel.h"

namespace {
IDirectDrawSurface4* lpDDSTimeSlip = nullptr;  // the "TIMESLIP" picture
// The panel as last set from the picture. A hundred small keyed blits a frame cost more than
// the whole frame in full screen under Wine (20 ms measured), one blit of the set panel no more
// than the tachometer's; the panel changes only when a mark is passed.
IDirectDrawSurface4* lpDDSTimeSlipPanel = nullptr;
std::vector<InstrumentBlit> panel_cells;  // what lpDDSTimeSlipPanel shows; empty: nothing yet

bool SameCells(const std::vector<InstrumentBlit>& a, const std::vector<InstrumentBlit>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0;
}

// Copies cells onto the panel; false when a blit failed (a lost surface).
bool CopyCells(const std::vector<InstrumentBlit>& cells) {
  for (const InstrumentBlit& cell : cells) {
    const PixelRect& to = cell.destination;
    const RECT onPanel = {to.left - kSlipPanelX, to.top - kSlipPanelY, to.right - kSlipPanelX,
                          to.bottom - kSlipPanelY};
    if (!BlitToSurface(lpDDSTimeSlipPanel, lpDDSTimeSlip, ToRect(cell.source), onPanel,
                       DDBLT_KEYSRC)) {
      return false;
    }
  }
  return true;
}

// Brings the panel to `cells`. Passing a mark copies only the new figures (a dozen blits)
// instead of the whole panel afresh (130 blits, some 18 ms: a late frame in mid-race). False
// when a blit failed: the panel is then set afresh on the next frame.
bool SetPanel(std::vector<InstrumentBlit>&& cells) {
  if (SameCells(cells, panel_cells)) return true;
  std::vector<InstrumentBlit> missing;
  const bool adding = CellsToAdd(panel_cells, cells, missing);
  panel_cells.clear();
  if (adding) {
    if (!CopyCells(missing)) return false;
  } else if (!FillSurfaceRect(lpDDSTimeSlipPanel, nullptr, 0) || !CopyCells(cells)) {
    return false;
  }
  panel_cells = std::move(cells);
  return true;
}
}  // namespace

void LoadTimeSlipPicture() {
  ReleaseTimeSlipPicture();
  IDirectDraw4* directDraw = display_context.direct_draw;
  lpDDSTimeSlip = LoadBitmapSurface(directDraw, "TIMESLIP");
  lpDDSTimeSlipPanel = CreatePlainSurface(directDraw, kSlipPanelWidth, kSlipPlatesHeight);
  if (FAILED(SetBlackColorKey(lpDDSTimeSlip)) || FAILED(SetBlackColorKey(lpDDSTimeSlipPanel))) {
    // The slip is an extra: without its pictures the race itself is whole.
    WriteLog("TIMESLIP読み込み失敗。タイムスリップは表示しません。\n");
    ReleaseTimeSlipPicture();
  }
}

void ReleaseTimeSlipPicture() {
  ReleaseInterface(lpDDSTimeSlipPanel);
  ReleaseInterface(lpDDSTimeSlip);
  panel_cells.clear();
}

void PrepareTimeSlipPanel(const RaceState& race, float courseLength) {
  if (lpDDSTimeSlipPanel != nullptr) SetPanel(TimeSlipPanel(race.slip, courseLength));
}

void DrawTimeSlipPanel(const RaceState& race, float courseLength) {
  if (time_slip_panel == 0 || lpDDSTimeSlipPanel == nullptr) return;
  if (!SetPanel(TimeSlipPanel(race.slip, courseLength))) return;
  // The first cell is the plate: where the panel goes, and how much of it there is.
  const PixelRect& plate = panel_cells.front().destination;
  const RECT set = {0, 0, plate.Width(), plate.Height()};
  BlitToBackBuffer(lpDDSTimeSlipPanel, set, ToRect(plate), DDBLT_KEYSRC);
}
