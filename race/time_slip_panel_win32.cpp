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

// A panel as last set from the picture. A hundred small keyed blits a frame cost more than the
// whole frame in full screen under Wine (20 ms measured), one blit of the set panel no more
// than the tachometer's; a panel changes only when a mark is passed.
struct SetPanel {
  IDirectDrawSurface4* surface = nullptr;
  int32_t x = 0;                       // where the panel stands on the screen
  std::vector<InstrumentBlit> cells;   // what the surface shows; empty: nothing yet
  std::vector<InstrumentBlit> wanted;  // what it should show, rebuilt in place every frame
};
SetPanel slip_panel = {nullptr, kSlipPanelX, {}, {}};
SetPanel gap_panel = {nullptr, kGapPanelX, {}, {}};  // beside a ghost

bool SameCells(const std::vector<InstrumentBlit>& a, const std::vector<InstrumentBlit>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0;
}

// Copies cells onto the panel; false when a blit failed (a lost surface).
bool CopyCells(SetPanel& panel, const std::vector<InstrumentBlit>& cells) {
  for (const InstrumentBlit& cell : cells) {
    const PixelRect& to = cell.destination;
    const RECT onPanel = {to.left - panel.x, to.top - kSlipPanelY, to.right - panel.x,
                          to.bottom - kSlipPanelY};
    if (!BlitToSurface(panel.surface, lpDDSTimeSlip, ToRect(cell.source), onPanel,
                       DDBLT_KEYSRC)) {
      return false;
    }
  }
  return true;
}

// Brings the panel to panel.wanted. Passing a mark copies only the new figures (a dozen blits)
// instead of the whole panel afresh (130 blits, some 18 ms: a late frame in mid-race). False
// when a blit failed: the panel is then set afresh on the next frame. The two lists trade
// places rather than being copied, so a race allocates nothing for them once both have grown.
bool Set(SetPanel& panel) {
  if (SameCells(panel.wanted, panel.cells)) return true;
  std::vector<InstrumentBlit> missing;
  const bool adding = CellsToAdd(panel.cells, panel.wanted, missing);
  panel.cells.clear();
  if (adding) {
    if (!CopyCells(panel, missing)) return false;
  } else if (!FillSurfaceRect(panel.surface, nullptr, 0) || !CopyCells(panel, panel.wanted)) {
    return false;
  }
  std::swap(panel.cells, panel.wanted);
  return true;
}

void Show(SetPanel& panel) {
  if (!Set(panel)) return;
  // The first cell is the plate: where the panel goes, and how much of it there is.
  const PixelRect& plate = panel.cells.front().destination;
  const RECT set = {0, 0, plate.Width(), plate.Height()};
  BlitToBackBuffer(panel.surface, set, ToRect(plate), DDBLT_KEYSRC);
}
}  // namespace

void LoadTimeSlipPicture() {
  ReleaseTimeSlipPicture();
  IDirectDraw4* directDraw = display_context.direct_draw;
  lpDDSTimeSlip = LoadBitmapSurface(directDraw, "TIMESLIP");
  slip_panel.surface = CreatePlainSurface(directDraw, kSlipPanelWidth, kSlipPlatesHeight);
  gap_panel.surface = CreatePlainSurface(directDraw, kGapPanelWidth, kSlipPlatesHeight);
  if (FAILED(SetBlackColorKey(lpDDSTimeSlip)) || FAILED(SetBlackColorKey(slip_panel.surface)) ||
      FAILED(SetBlackColorKey(gap_panel.surface))) {
    // The slip is an extra: without its pictures the race itself is whole.
    WriteLog("TIMESLIP読み込み失敗。タイムスリップは表示しません。\n");
    ReleaseTimeSlipPicture();
  }
}

void ReleaseTimeSlipPicture() {
  for (SetPanel* panel : {&slip_panel, &gap_panel}) {
    ReleaseInterface(panel->surface);
    panel->cells.clear();
  }
  ReleaseInterface(lpDDSTimeSlip);
}

void PrepareTimeSlipPanel(const RaceState& race, float courseLength, const TimeSlip* ghostSlip) {
  if (slip_panel.surface == nullptr) return;
  TimeSlipPanel(race.slip, courseLength, slip_panel.wanted);
  Set(slip_panel);
  if (ghostSlip == nullptr) return;
  GhostGapPanel(race.slip, *ghostSlip, courseLength, gap_panel.wanted);
  Set(gap_panel);
}

void DrawTimeSlipPanel(const RaceState& race, float courseLength, const TimeSlip* ghostSlip) {
  if (time_slip_panel == 0 || slip_panel.surface == nullptr) return;
  TimeSlipPanel(race.slip, courseLength, slip_panel.wanted);
  Show(slip_panel);
  if (ghostSlip == nullptr) return;
  GhostGapPanel(race.slip, *ghostSlip, courseLength, gap_panel.wanted);
  Show(gap_panel);
}
