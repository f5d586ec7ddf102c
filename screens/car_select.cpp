#include "screens/car_select.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "app/scene_state.h"
#include "data/car_table.h"
#include "data/record_data.h"
#include "data/torque_curve.h"
#include "input/key_codes.h"
#include "input/key_state.h"
#include "screens/car_select_graph.h"

CarSelectState car_select_state;

namespace {

constexpr int32_t kScreenCells = 40;  // 16-pixel cells across the 640-pixel screen
constexpr int32_t kLineCentre = 160;  // x the four lines are centred on
constexpr int32_t kLineCell = 16;     // pixels

// The peaks are read at every 100 rpm up to just below 14500, past the graph's 9000, so a
// peak the graph cannot show is still printed.
constexpr int32_t kScanFromRpm = 2000;
constexpr int32_t kScanToRpm = 14500;
constexpr int32_t kScanStepRpm = 100;

int32_t RoundToHundred(int32_t rpm) { return (rpm + 50) / 100 * 100; }

void SetLine(CarSelectLine& line, int32_t y) {
  const int32_t length = static_cast<int32_t>(std::strlen(line.text));
  line.x = kLineCentre - length * kLineCell / 2;
  line.y = y;
}

}  // namespace

void UnlockProgressCars(uint32_t progressFlags) {
  if (progressFlags & kUnlockCar0) {
    if (CarSpec* car = FindCarById(0)) car->selectable = 1;
  }
  if (progressFlags & kUnlockCar1) {
    if (CarSpec* car = FindCarById(1)) car->selectable = 1;
  }
}

bool SettleSelectedCar(CarSelectState& state) {
  if (IsSelectableCar(state.selected_car)) return true;
  const int32_t next = StepToSelectableCar(state.selected_car, +1);
  if (next < 0) return false;
  state.selected_car = static_cast<uint8_t>(next);
  return true;
}

int32_t HandleCarSelectKeys(CarSelectState& state, const uint8_t* keys, const uint8_t* previous,
                            int32_t sceneState) {
  if (!IsSelectableCar(state.selected_car)) return sceneState;
  int32_t next = sceneState;
  if (IsKeyPressed(keys, previous, DIK_SPACE)) next = SCENE_RACE_ENTER;
  for (const auto& [key, direction] : {std::pair{DIK_LEFT, -1}, std::pair{DIK_RIGHT, +1}}) {
    if (!IsKeyPressed(keys, previous, key)) continue;
    const int32_t stepped = StepToSelectableCar(state.selected_car, direction);
    if (stepped >= 0) state.selected_car = static_cast<uint8_t>(stepped);
    state.graph_rpm_limit = kGraphStartRpm;
  }
  return next;
}

GraphStep AdvanceGraph(CarSelectState& state, int32_t carId) {
  state.graph_rpm_limit += kGraphRpmPerFrame;
  if (state.graph_rpm_limit > kGraphEndRpm) state.graph_rpm_limit = kGraphEndRpm;
  GraphStep step{};
  step.redraw_background = state.graph_car_id != carId;
  if (step.redraw_background) state.graph_drawn_rpm = kGraphStartRpm;
  step.from_rpm = state.graph_drawn_rpm;
  step.to_rpm = state.graph_rpm_limit;
  state.graph_drawn_rpm = state.graph_rpm_limit;
  state.graph_car_id = carId;
  return step;
}

NamePlacement PlaceCarName(const char name[128]) {
  const int32_t length = static_cast<int32_t>(strnlen(name, 128));
  if (length > kScreenCells) return {0, kScreenCells};
  return {(kScreenCells - length) * 8, length};
}

CarPeaks ScanCarPeaks(const CarSpec& car) {
  CarPeaks peaks;
  ScanTorqueCurve(car.torque_curve, peaks.power, peaks.power_rpm, peaks.torque,
                  peaks.torque_rpm, kScanFromRpm, kScanToRpm, kScanStepRpm);
  return peaks;
}

void FormatCarSelectLines(const CarSpec& car, const CarPeaks& peaks,
                          CarSelectLine lines[kCarSelectLines]) {
  std::snprintf(lines[0].text, sizeof lines[0].text, "%6.1fps/%4drpm", peaks.power,
                RoundToHundred(peaks.power_rpm));
  std::snprintf(lines[1].text, sizeof lines[1].text, "%5.1fkg-m/%4drpm", peaks.torque,
                RoundToHundred(peaks.torque_rpm));
  std::snprintf(lines[2].text, sizeof lines[2].text, "%4.0fkg", car.mass);
  static const char* const kLayouts[] = {"FF", "FR", "MR", "4WD"};
  // No car of ours has another layout; a damaged record gets a mark, not a stray pointer.
  const bool known = car.drive_layout >= 0 && car.drive_layout <= 3;
  std::snprintf(lines[3].text, sizeof lines[3].text, "%s",
                known ? kLayouts[car.drive_layout] : "?");
  SetLine(lines[0], 180);
  SetLine(lines[1], 244);
  SetLine(lines[2], 308);
  SetLine(lines[3], 372);
}
