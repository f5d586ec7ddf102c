// The guarded blit onto the back buffer, the presentation of each frame, and the bookkeeping
// that brings pictures back after the surfaces were lost.
#include "app/frame_timer_win32.h"
#include "display/blit_retry.h"
#include "display/display_win32.h"
#include "display/drawing_win32.h"
#include "display/shown_picture.h"
#include "display/window_present.h"

static_assert(kSurfaceLostResult == static_cast<int32_t>(DDERR_SURFACELOST),
              "the portable retry rule must know DirectDraw's lost-surface result");
static_assert(kWrongModeResult == static_cast<int32_t>(DDERR_WRONGMODE),
              "the portable recovery must know DirectDraw's wrong-mode result");

namespace {
// Set by the restore a blit performs; cleared once the shell has had the pictures reloaded.
bool pictures_lost = false;

int32_t Result(HRESULT result) { return static_cast<int32_t>(result); }

bool IsLost(IDirectDrawSurface4* surface) {
  return surface != nullptr && surface->IsLost() == DDERR_SURFACELOST;
}

// The window's picture onto the primary at the client area's place on the screen. Wine's clip
// list runs past the screen's edge when the window does (on a desktop no bigger than the
// picture, the frame pushes it off the bottom) and it then refuses the whole copy as an
// invalid rectangle: the part that lies on the primary is copied instead.
HRESULT CopyToWindow(const DisplayContext& d) {
  POINT origin = {0, 0};
  ClientToScreen(d.window, &origin);
  RECT to = {origin.x, origin.y, origin.x + d.width, origin.y + d.height};
  const HRESULT whole = d.primary->Blt(&to, d.back_buffer, nullptr, DDBLT_WAIT, nullptr);
  if (whole != DDERR_INVALIDRECT) return whole;
  DDSURFACEDESC2 screen = {};
  screen.dwSize = sizeof screen;
  if (FAILED(d.primary->GetSurfaceDesc(&screen))) return whole;
  const PresentRects part =
      PartOnSurface(origin.x, origin.y, d.width, d.height, static_cast<int32_t>(screen.dwWidth),
                    static_cast<int32_t>(screen.dwHeight));
  if (part.destination.Width() <= 0 || part.destination.Height() <= 0) return DD_OK;
  RECT from = ToRect(part.source);
  to = ToRect(part.destination);
  return d.primary->Blt(&to, d.back_buffer, &from, DDBLT_WAIT, nullptr);
}
}  // namespace

void RestoreLostSurfaces() {
  pictures_lost = true;
  ForgetShownPicture(shown_picture);
  if (display_context.direct_draw != nullptr) display_context.direct_draw->RestoreAllSurfaces();
}

LostPictureStep TakeLostPictureStep() {
  DisplayContext& d = display_context;
  if (d.direct_draw == nullptr) {
    // Nothing is built, so nothing is lost; a later CreateDisplay starts afresh.
    pictures_lost = false;
    return LostPictureStep::kNothing;
  }
  // Not every DirectDraw refuses blits to lost surfaces (Wine accepts them and draws into
  // memory nobody shows), so a frame also asks the surfaces themselves.
  if (!pictures_lost && (IsLost(d.primary) || IsLost(d.back_buffer))) pictures_lost = true;
  // The usual frame: nothing to ask DirectDraw.
  if (!pictures_lost) return LostPictureStep::kNothing;
  const LostPictureStep step = NextLostPictureStep(
      pictures_lost, d.windowed != 0, Result(d.direct_draw->TestCooperativeLevel()),
      [&] { return Result(d.direct_draw->RestoreAllSurfaces()); });
  if (step == LostPictureStep::kReload || step == LostPictureStep::kRebuild) {
    pictures_lost = false;
  }
  return step;
}

bool BlitToBackBuffer(IDirectDrawSurface4* source, const RECT& sourceRect,
                      const RECT& destinationRect, DWORD flags) {
  return BlitToSurface(display_context.back_buffer, source, sourceRect, destinationRect, flags);
}

bool BlitToSurface(IDirectDrawSurface4* target, IDirectDrawSurface4* source,
                   const RECT& sourceRect, const RECT& destinationRect, DWORD flags) {
  if (target == nullptr || source == nullptr) return false;
  RECT from = sourceRect;
  RECT to = destinationRect;
  return BlitWithRetry(
             [&] { return Result(target->Blt(&to, source, &from, flags | DDBLT_WAIT, nullptr)); },
             &RestoreLostSurfaces) == BlitOutcome::kDrawn;
}

bool FillBackBuffer(const RECT& rect, uint32_t color) {
  return FillSurfaceRect(display_context.back_buffer, &rect, color);
}

bool FillSurfaceRect(IDirectDrawSurface4* surface, const RECT* rect, uint32_t color) {
  if (surface == nullptr) return false;
  RECT to = rect != nullptr ? *rect : RECT{};
  DDBLTFX fill = {};
  fill.dwSize = sizeof fill;
  fill.dwFillColor = color;
  return BlitWithRetry(
             [&] {
               return Result(surface->Blt(rect != nullptr ? &to : nullptr, nullptr, nullptr,
                                          DDBLT_COLORFILL | DDBLT_WAIT, &fill));
             },
             &RestoreLostSurfaces) == BlitOutcome::kDrawn;
}

void ShowBackBuffer() {
  // Whoever presents now knows what the screen shows; a scene that keeps a still picture
  // remembers it after this.
  ForgetShownPicture(shown_picture);
  DisplayContext& d = display_context;
  if (d.primary == nullptr || d.back_buffer == nullptr) return;
  if (d.windowed) {
    // The clipper keeps the copy inside the window's visible part.
    BlitWithRetry([&] { return Result(CopyToWindow(d)); }, &RestoreLostSurfaces);
  } else {
    // A copy onto the front rather than a flip: the back buffer keeps this frame's picture.
    BlitWithRetry(
        [&] {
          return Result(d.primary->BltFast(0, 0, d.back_buffer, nullptr, DDBLTFAST_WAIT));
        },
        &RestoreLostSurfaces);
  }
}

void PresentFrame() {
  ShowBackBuffer();
  WaitForFrame();
}

void ReturnBackBufferToSystemMemory() {
  IDirectDrawSurface4* back = display_context.back_buffer;
  if (back == nullptr) return;
  DDSURFACEDESC2 desc = {};
  desc.dwSize = sizeof desc;
  if (SUCCEEDED(back->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr))) back->Unlock(nullptr);
}
