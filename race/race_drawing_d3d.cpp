#include "race/race_drawing_d3d.h"

#include <cstring>

#include "app/frame_timer.h"
#include "app/scene_state.h"
#include "app/settings.h"
#include "data/car_table.h"
#include "display/bitmap_surface_win32.h"
#include "display/display_win32.h"
#include "display/drawing_win32.h"
#include "gfx3d/geometry.h"
#include "gfx3d/texture_d3d.h"
#include "gfx3d/vertex_buffer_d3d.h"
#include "race/ghost_drawing_d3d.h"
#include "race/race_flow.h"
#include "race/race_instruments.h"
#include "race/race_setup_win32.h"
#include "race/race_state.h"
#include "race/replay_win32.h"
#include "race/time_slip_panel_win32.h"

namespace {
constexpr float kSignalTilt = -1.0f;     // radians about x: the lamps face the driver
constexpr float kSignalVisibleUntil = 1.0f;  // m: the signal is gone once the car has moved
constexpr int32_t kTextCellWidth = 16;   // pixels, the 32-pixel fonts


void Blit(IDirectDrawSurface4* picture, const InstrumentBlit& blit, DWORD flags) {
  BlitToBackBuffer(picture, ToRect(blit.source), ToRect(blit.destination), flags);
}

void BlitKeyed(IDirectDrawSurface4* picture, const InstrumentBlit& blit) {
  Blit(picture, blit, DDBLT_KEYSRC);
}

// A texture that failed to load binds none, so its objects are drawn untextured.
void BindTexture(IDirect3DDevice3* device, const Texture& texture) {
  IDirect3DDevice3* owner = texture.device != nullptr ? texture.device : device;
  owner->SetTexture(0, texture.texture);
}

void UnbindTexture(IDirect3DDevice3* device, const Texture& texture) {
  IDirect3DDevice3* owner = texture.device != nullptr ? texture.device : device;
  owner->SetTexture(0, nullptr);
}

void DrawNeedle(IDirect3DDevice3* device, RaceState& race, IDirect3DVertexBuffer* buffer,
                float centreX, float centreY, float angle) {
  PlaceNeedle(race.needle_vertices, centreX, centreY, angle);
  if (buffer != nullptr) {
    // The strip's vertices in the order the index list names them.
    NeedleVertex strip[kNeedleVertices];
    for (int i = 0; i < kNeedleVertices; ++i) {
      strip[i] = race.needle_vertices[race.needle_indices[i]];
    }
    if (WriteVertexBuffer(buffer, strip, sizeof strip)) {
      device->DrawPrimitiveVB(D3DPT_TRIANGLESTRIP, buffer, 0, kNeedleVertices, 0);
      return;
    }
  }
  device->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, kNeedleVertexFormat, race.needle_vertices,
                               kNeedleVertices, race.needle_indices, kNeedleVertices, 0);
}

// Far to near, so nearer segments cover the farther ones where the depth test ties.
void DrawRoad(IDirect3DDevice3* device, RaceState& race, float courseLength) {
  const int32_t first = FirstRoadSegment(race.distance);
  for (int32_t i = first + kRoadSegmentsAhead; i >= first; --i) {
    const float start = static_cast<float>(i * kRoadSegmentLength);
    if (SegmentHasGantry(i)) {
      // Drawn with whatever texture is bound at this point, as the art was made for.
      race.board_translation = MakeVector(0.0f, 0.0f, start);
      SetTranslationMatrix(race.segment_world, 0.0f, 0.0f, start);
      DrawDeviceModel(device, board_model, race.segment_world);
      DrawDeviceModel(device, pool_model, race.segment_world);
    }
    race.segment_translation = MakeVector(0.0f, 0.0f, start + kRoadSegmentLength / 2);
    SetTranslationMatrix(race.segment_world, race.segment_translation.x,
                         race.segment_translation.y, race.segment_translation.z);
    BindTexture(device, SegmentUsesLineTexture(i, courseLength) ? tex_Way2 : tex_Way);
    DrawDeviceModel(device, course_model, race.segment_world);
  }
  UnbindTexture(device, tex_Way);
  UnbindTexture(device, tex_Way2);
}

void DrawPlacedModel(IDirect3DDevice3* device, const DeviceModel& model, const D3DVECTOR& at,
                     const D3DMATRIX* tilt) {
  D3DMATRIX world;
  SetTranslationMatrix(world, at.x, at.y, at.z);
  // Tilted about its own centre, then moved into place.
  if (tilt != nullptr) MultiplyMatrix(world, world, *tilt);
  DrawDeviceModel(device, model, world);
}

void DrawStartSignal(IDirect3DDevice3* device, RaceState& race) {
  const int32_t row = SignalRow(race.signal_step);
  BindTexture(device, tex_sig);
  SetRotateXMatrix(race.signal_tilt, kSignalTilt);
  D3DVECTOR* positions = race.signal_positions;
  for (int lamp = 0; lamp < kSignalLampCount; ++lamp) {
    const float x = SignalLampX(lamp);
    const int model = SignalLamps[row][lamp];
    positions[0].x = x;
    positions[model + 1].x = x;
    DrawPlacedModel(device, sig_box_model, positions[0], &race.signal_tilt);
    DrawPlacedModel(device, sig_models[model], positions[model + 1], &race.signal_tilt);
  }
  DrawPlacedModel(device, sigpool_model, positions[kSignalPositions - 1], nullptr);
  UnbindTexture(device, tex_sig);
}

void DrawDigitalInstruments(const RaceState& race, float courseLength) {
  BlitKeyed(lpDDSFont, SpeedPanel());
  InstrumentBlit speed[kSpeedDigits];
  SpeedDigits(race.speed, speed);
  for (const InstrumentBlit& cell : speed) BlitKeyed(lpDDSFont, cell);

  BlitKeyed(lpDDSFont, TimePanel());
  InstrumentBlit time[kTimeCells];
  TimeDigits(race.race_time_ms, time);
  for (const InstrumentBlit& cell : time) BlitKeyed(lpDDSFont, cell);

  BlitKeyed(lpDDSFont, DistancePanel());
  InstrumentBlit distance[kDistanceDigits];
  DistanceDigits(ShownDistance(race.distance, race.finished, courseLength), distance);
  for (const InstrumentBlit& cell : distance) BlitKeyed(lpDDSFont, cell);
}

void DrawNumber(const InstrumentText& text) {
  POINT at = {text.x, text.y};
  DrawNumberText(lpDDSFontDFPOP32ORANGE, lpDDSFontDFPOP32CREAM, text.text,
                 static_cast<int32_t>(std::strlen(text.text)), at, kTextCellWidth, DDBLT_KEYSRC);
}

void DrawDialInstruments(IDirect3DDevice3* device, RaceState& race, float courseLength) {
  // The texts first: the dial's read-out window is transparent and shows them through.
  DrawNumber(DistanceText(race.distance, race.finished, courseLength));
  DrawNumber(TimeText(race.race_time_ms));
  DrawNumber(SpeedText(race.speed));
  BlitKeyed(lpDDSSPEEDMETER, SpeedometerDial());
  DrawNeedle(device, race, needle_vertex_buffers[1], kSpeedCentreX, kSpeedCentreY,
             SpeedNeedleAngle(race.speed));
}
// The whole frame for a race state, a speedometer style and the finish banner's blink; with a
// ghost, its car at *ghostDistance m and, beside the slip, the gaps to its slip.
void DrawSceneOf(RaceState& race, int32_t style, bool finishBannerOn, const float* ghostDistance,
                 const TimeSlip* ghostSlip) {
  DisplayContext& display = display_context;
  IDirect3DDevice3* device = display.device;
  if (device == nullptr || display.viewport == nullptr) return;
  const float courseLength = CourseLength[CourseIndex(race_mode)];

  D3DRECT clear = {display.clear_rect.left, display.clear_rect.top, display.clear_rect.right,
                   display.clear_rect.bottom};
  display.viewport->Clear(1, &clear, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER);
  device->BeginScene();

  FollowCarWithCamera(race);
  SetViewMatrix(race.view_matrix, race.camera_eye, race.camera_at, race.camera_up);
  device->SetTransform(D3DTRANSFORMSTATE_VIEW, &race.view_matrix);

  Blit(lpDDSBack, Background(), 0);
  DrawRoad(device, race, courseLength);
  if (ghostDistance != nullptr) DrawGhostCar(device, *ghostDistance);
  if (race.distance < kSignalVisibleUntil) DrawStartSignal(device, race);

  BlitKeyed(lpDDSTachometer, TachometerFace(current_car));
  DrawNeedle(device, race, needle_vertex_buffers[0], kTachoCentreX, kTachoCentreY,
             TachoNeedleAngle(race.engine_rpm, TachoScaleFor(current_car)));

  BlitKeyed(lpDDSMission, GearGate(current_car));
  BlitKeyed(lpDDSMission, GearKnob(race.gear_column, race.gear_row));

  if (style == 0) {
    DrawDigitalInstruments(race, courseLength);
  } else {
    DrawDialInstruments(device, race, courseLength);
  }

  DrawTimeSlipPanel(race, courseLength, ghostSlip);
  if (finishBannerOn) BlitKeyed(lpDDSFont, FinishBanner());
  if (RecordBannerVisible(race.time_rank, race.speed_rank)) BlitKeyed(lpDDSFont, RecordBanner());

  const int32_t nameLength =
      static_cast<int32_t>(strnlen(current_car.name, sizeof current_car.name));
  DrawBitmapText(lpDDSFontDFPOP32CREAM, current_car.name, nameLength,
                 POINT{CarNameX(current_car.name), kCarNameY}, kTextCellWidth, DDBLT_KEYSRC);

  device->EndScene();
}
}  // namespace

bool race_drawing_warm = false;

void DrawRaceScene() {
  RaceState& race = race_state;
  const bool ghostShown = ghost_car != 0 && ghost_run.ready;
  DrawSceneOf(race, speedometer_style, FinishBannerVisible(race.finished, ReadTimer()),
              ghostShown ? &ghost_run.player.race.distance : nullptr,
              ghostShown ? &ghost_run.slip : nullptr);
}

void WarmUpRaceDrawing() {
  if (race_drawing_warm) return;
  race_drawing_warm = true;
  // A copy: the warm-up changes nothing of the race. Lamp rows 0, 4 and 5 (steps 1, 5 and 6)
  // between them show all six lamp models; the banners are on, and both styles are drawn.
  RaceState race = race_state;
  race.finished = true;
  race.time_rank = 1;
  const int32_t steps[] = {1, 5, 6};
  // The ghost's car too, a few metres ahead where the camera sees it, whether it is on or not:
  // F4 may show it at any moment of the race.
  const float ghostAhead = race.distance + 5.0f;
  for (int i = 0; i < 3; ++i) {
    race.signal_step = steps[i];
    DrawSceneOf(race, i % 2, true, &ghostAhead, nullptr);
  }
  // The slip's panel for the run as it stands (its empty rows), whether shown or not, and the
  // gap panel when there is a ghost.
  PrepareTimeSlipPanel(race_state, CourseLength[CourseIndex(race_mode)],
                       ghost_run.ready ? &ghost_run.slip : nullptr);
  // The race's first frame clears it all before anything is shown.
}
