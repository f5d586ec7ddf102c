#include "screens/car_select_win32.h"

#include <cstring>
#include <vector>

#include "app/frame_timer.h"
#include "app/scene_frame_win32.h"
#include "app/scene_state.h"
#include "app/shell_win32.h"
#include "app/win_globals.h"
#include "data/car_table.h"
#include "data/record_data.h"
#include "display/bitmap_surface_win32.h"
#include "display/display_win32.h"
#include "display/drawing_win32.h"
#include "input/input_win32.h"
#include "input/key_state.h"
#include "screens/car_select.h"
#include "screens/car_select_graph.h"

IDirectDrawSurface4* lpDDSCarSelect = nullptr;
IDirectDrawSurface4* gm_lpDDSGraph = nullptr;

namespace {

// Bands of the CARSELECT picture and where they stand on the screen.
struct Band {
  RECT source;
  RECT destination;
};
constexpr Band kScreenTitle{{0, 0, 208, 48}, {216, 0, 424, 48}};
constexpr Band kCaptions[] = {
    {{0, 48, 128, 80}, {96, 148, 224, 180}},     // maximum power
    {{128, 48, 288, 80}, {80, 212, 240, 244}},   // maximum torque
    {{0, 80, 128, 112}, {96, 276, 224, 308}},    // vehicle weight
    {{128, 80, 256, 112}, {96, 340, 224, 372}},  // drive layout
};
constexpr Band kLeftArrow{{0, 112, 32, 144}, {64, 60, 96, 92}};
constexpr Band kRightArrow{{32, 112, 64, 144}, {544, 60, 576, 92}};
constexpr RECT kGraphSource{0, 0, kGraphWidth, kGraphHeight};
constexpr RECT kGraphDestination{295, 120, 295 + kGraphWidth, 120 + kGraphHeight};
constexpr int32_t kNameY = 60;
constexpr uint32_t kArrowBlinkMs = 1000;  // ms; shown for the first half

void Blit(const Band& band) {
  BlitToBackBuffer(lpDDSCarSelect, band.source, band.destination, DDBLT_KEYSRC);
}

IDirectDrawSurface4* GraphFontSurface(GraphFont font) {
  switch (font) {
    case GraphFont::kGreen:
      return lpDDSFontDFPOP16GREEN;
    case GraphFont::kRed:
      return lpDDSFontDFPOP16RED;
    case GraphFont::kYellow:
      break;
  }
  return lpDDSFontDFPOP16YELLOW;
}


void DrawGraphBackground(const GraphScales& scales) {
  FillSurfaceRect(gm_lpDDSGraph, nullptr, PackColor(0, 0, 0));
  std::vector<GraphFill> fills;
  std::vector<GraphLabel> labels;
  PlanGraphBackground(scales, fills, labels);
  for (const GraphFill& fill : fills) {
    const RECT rect = ToRect(fill.rect);
    FillSurfaceRect(gm_lpDDSGraph, &rect,
                    PackColor(fill.color.red, fill.color.green, fill.color.blue));
  }
  for (const GraphLabel& label : labels) {
    DrawBitmapTextTo(gm_lpDDSGraph, GraphFontSurface(label.font), label.text,
                     static_cast<int32_t>(std::strlen(label.text)), POINT{label.x, label.y}, 8,
                     DDBLT_KEYSRC);
  }
}

// Adds this frame's stretch of the curves; the whole graph again after a new car or a new
// graph surface.
void UpdateGraph(const CarSpec& car, const CarPeaks& peaks) {
  if (gm_lpDDSGraph == nullptr) return;
  const GraphScales scales = MakeGraphScales(peaks.power, peaks.torque);
  const GraphStep step = AdvanceGraph(car_select_state, car.id);
  if (step.redraw_background) DrawGraphBackground(scales);
  std::vector<GraphPoint> points;
  PlanGraphPoints(car.torque_curve, scales, step.from_rpm, step.to_rpm, points);
  const uint32_t red = PackColor(255, 0, 0);
  const uint32_t green = PackColor(0, 255, 0);
  for (const GraphPoint& point : points) {
    const RECT pixel{point.x, point.y, point.x + 1, point.y + 1};
    FillSurfaceRect(gm_lpDDSGraph, &pixel, point.curve == GraphCurve::kTorque ? red : green);
  }
}

void DrawCarText(const CarSpec& car, const CarPeaks& peaks) {
  CarSelectLine lines[kCarSelectLines];
  FormatCarSelectLines(car, peaks, lines);
  for (int i = 0; i < kCarSelectLines - 1; ++i) {
    POINT at{lines[i].x, lines[i].y};
    DrawNumberText(lpDDSFontDFPOP32ORANGE, lpDDSFontDFPOP32CREAM, lines[i].text,
                   static_cast<int32_t>(std::strlen(lines[i].text)), at, 16, DDBLT_KEYSRC);
  }
  const CarSelectLine& layout = lines[kCarSelectLines - 1];
  DrawBitmapText(lpDDSFontDFPOP32ORANGE, layout.text, static_cast<int32_t>(std::strlen(layout.text)),
                 POINT{layout.x, layout.y}, 16, DDBLT_KEYSRC);
}

}  // namespace

void EnterCarSelect() {
  ReleaseSceneSurfaces();
  LoadSmallFont();
  LoadCarSelectArt();
  UnlockProgressCars(record_data.progress_flags);
  car_select_state.graph_rpm_limit = kGraphStartRpm;
  FinishSceneEntry(SCENE_CAR_SELECT);
}

void CarSelectFrame() {
  if (!RecoverLostPictures()) return;
  SettleSelectedCar(car_select_state);
  if (ReadFrameInput()) {
    scene_state = HandleCarSelectKeys(car_select_state, key_state, previous_key_state, scene_state);
    RememberKeyState();
  }
  // After the keys, so that Space and a new car in one frame race the new car.
  const bool hasCar = IsSelectableCar(car_select_state.selected_car);
  if (hasCar) {
    std::memcpy(&current_car, &car_table[car_select_state.selected_car], sizeof(CarSpec));
    current_car_index = car_select_state.selected_car;
  }
  DrawCarSelect(hasCar);
  DrawFrameRate();
  PresentFrame();
}

void DrawCarSelect(bool hasCar) {
  FillBackBuffer(display_context.clear_rect, PackColor(0, 0, 0));
  Blit(kScreenTitle);
  if (hasCar) {
    const NamePlacement name = PlaceCarName(current_car.name);
    DrawBitmapText(lpDDSFontDFPOP32CREAM, current_car.name, name.max_chars, POINT{name.x, kNameY},
                   16, DDBLT_KEYSRC);
    const CarPeaks peaks = ScanCarPeaks(current_car);
    UpdateGraph(current_car, peaks);
    if (gm_lpDDSGraph != nullptr) {
      BlitToBackBuffer(gm_lpDDSGraph, kGraphSource, kGraphDestination, DDBLT_KEYSRC);
    }
    DrawCarText(current_car, peaks);
  }
  for (const Band& caption : kCaptions) Blit(caption);
  // Nothing to step to without a car: the arrows would promise what the keys do not do.
  if (hasCar && ReadTimer() % kArrowBlinkMs < kArrowBlinkMs / 2) {
    Blit(kLeftArrow);
    Blit(kRightArrow);
  }
}

void LoadCarSelectArt() {
  LoadKeyedPicture(lpDDSCarSelect, "CARSELECT", "CarDataFont読み込み失敗",
                   "カラー・キーの設定失敗（CarDataFont）");
  LoadKeyedPicture(lpDDSFontDFPOP32CREAM, "FONT_DFPOP_32_CREAM", "FONT_DFPOP_32読み込み失敗",
                   "カラー・キーの設定失敗（lpDDSFontDFPOP32CREAM）");
  LoadKeyedPicture(lpDDSFontDFPOP32ORANGE, "FONT_DFPOP_32_ORANGE", "FONT_DFPOP_32読み込み失敗",
                   "カラー・キーの設定失敗（lpDDSFontDFPOP32ORANGE）");
  LoadKeyedPicture(lpDDSFontDFPOP16GREEN, "FONT_DFPOP_16_GREEN", "FONT_DFPOP_16読み込み失敗",
                   "カラー・キーの設定失敗（lpDDSFontDFPOP16GREEN）");
  LoadKeyedPicture(lpDDSFontDFPOP16RED, "FONT_DFPOP_16_RED", "FONT_DFPOP_16読み込み失敗",
                   "カラー・キーの設定失敗（lpDDSFontDFPOP16RED）");
  LoadKeyedPicture(lpDDSFontDFPOP16YELLOW, "FONT_DFPOP_16_YELLOW", "FONT_DFPOP_16読み込み失敗",
                   "カラー・キーの設定失敗（lpDDSFontDFPOP16YELLOW）");
  // The graph is drawn into an empty surface of its own, keyed like the pictures.
  ReleaseInterface(gm_lpDDSGraph);
  gm_lpDDSGraph = CreatePlainSurface(display_context.direct_draw, kGraphWidth, kGraphHeight);
  if (gm_lpDDSGraph == nullptr) {
    ShowMessageBox("グラフ用サーフェイスの作成に失敗", "error");
    scene_state = SCENE_EXIT;
  } else if (FAILED(SetBlackColorKey(gm_lpDDSGraph))) {
    ShowMessageBox("カラー・キーの設定失敗（gm_lpDDSGraph）", "error");
    scene_state = SCENE_EXIT;
  }
}

void ReleaseCarSelectArt() {
  ReleaseInterface(lpDDSCarSelect);
  ReleaseInterface(gm_lpDDSGraph);
  car_select_state.graph_car_id = -1;
}
