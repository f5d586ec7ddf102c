// Race drawing benchmark (not a test): a scripted driver races one car over 400 m while the
// race scene is drawn and presented every frame, and the work of each frame (drawing, frame
// rate, presentation; the wait for the next sixtieth left out) is timed at the start line,
// during the run and after the finish, for both speedometer styles.
// Usage: race_bench.exe window|full [frames per phase] [folder for screenshots]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/frame_timer.h"
#include "app/frame_timer_win32.h"
#include "app/scene_state.h"
#include "app/settings.h"
#include "app/shell_win32.h"
#include "app/win_globals.h"
#include "tools/bench/bench_window_win32.h"
#include "data/car_data_loader.h"
#include "data/car_table.h"
#include "display/bitmap_surface_win32.h"
#include "display/display_win32.h"
#include "display/drawing_win32.h"
#include "gfx3d/geometry.h"
#include "race/car_physics.h"
#include "gfx3d/texture_d3d.h"
#include "race/race_drawing_d3d.h"
#include "race/race_instruments.h"
#include "race/race_setup_win32.h"
#include "race/race_state.h"
#include "race/race_view_d3d.h"
#include "race/time_slip_panel_win32.h"

namespace {
// The back buffer as a 24-bit bitmap file, for looking at.
void SaveBackBuffer(const std::string& folder, const char* name) {
  if (folder.empty()) return;
  IDirectDrawSurface4* back = display_context.back_buffer;
  DDSURFACEDESC2 desc = {};
  desc.dwSize = sizeof desc;
  if (FAILED(back->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr))) return;
  const int width = static_cast<int>(desc.dwWidth), height = static_cast<int>(desc.dwHeight);
  const DDPIXELFORMAT& f = desc.ddpfPixelFormat;
  const int bytes = static_cast<int>(f.dwRGBBitCount / 8);
  const int stride = (width * 3 + 3) & ~3;
  std::vector<uint8_t> pixels(static_cast<size_t>(stride * height));
  auto channel = [](uint32_t value, DWORD mask) {
    return mask == 0 ? 0 : static_cast<uint8_t>(255.0 * (value & mask) / mask + 0.5);
  };
  for (int y = 0; y < height; ++y) {
    const auto* row = static_cast<const uint8_t*>(desc.lpSurface) + y * desc.lPitch;
    uint8_t* out = &pixels[static_cast<size_t>((height - 1 - y) * stride)];
    for (int x = 0; x < width; ++x) {
      uint32_t value = 0;
      for (int b = 0; b < bytes; ++b) value |= static_cast<uint32_t>(row[x * bytes + b]) << (8 * b);
      out[3 * x] = channel(value, f.dwBBitMask);
      out[3 * x + 1] = channel(value, f.dwGBitMask);
      out[3 * x + 2] = channel(value, f.dwRBitMask);
    }
  }
  back->Unlock(nullptr);
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  const std::string path = folder + "\\" + name + ".bmp";
  if (std::FILE* out = std::fopen(path.c_str(), "wb")) {
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    std::fwrite(pixels.data(), 1, pixels.size(), out);
    std::fclose(out);
  }
}

struct Samples {
  std::vector<double> start, run, finish;
};

void Print(const char* phase, std::vector<double> samples) {
  if (samples.empty()) return;
  std::sort(samples.begin(), samples.end());
  std::printf("    %-12s %5zu frames  median %6.3f ms  p99 %6.3f ms  max %6.3f ms\n", phase,
              samples.size(), samples[samples.size() / 2],
              samples[static_cast<size_t>(0.99 * (samples.size() - 1))], samples.back());
}

// The driver holds the clutch with the engine revving until the go lamp, then keeps the
// throttle down and changes up near the rev limit, putting the lever into each slot directly.
int ForwardSlots(const CarSpec& car, int32_t (&rows)[6], int32_t (&columns)[6]) {
  // 1st upper left, 2nd lower left, 3rd upper middle, ...: the H pattern's order.
  int count = 0;
  for (int32_t column = 0; column < 3 && count < 6; ++column) {
    for (int32_t row = 0; row <= 2 && count < 6; row += 2) {
      if (car.gear_gate[row][column] > 0.0) {
        rows[count] = row;
        columns[count] = column;
        ++count;
      }
    }
  }
  return count;
}

// One frame of the race the way the race frame runs it, minus the keyboard and the wait.
void StepRace(int frame, int goFrame, int32_t (&rows)[6], int32_t (&columns)[6], int gears,
              int& gear, int& clutchFrames, const TachoScaleRow& tacho, float course) {
  RaceState& race = race_state;
  const bool go = frame >= goFrame;
  race.signal_step = go ? 5 : frame * 5 / std::max(1, goFrame);
  for (D3DVECTOR& p : race.signal_positions) p.y = 1.0f;
  if (!race.finished) {
    uint32_t bits = 0;
    if (!go) {
      bits = CLUTCH | THROTTLE;
      race.gear_row = rows[0];
      race.gear_column = columns[0];
    } else {
      if (race.engine_rpm > 0.92f * tacho.rev_limit && gear + 1 < gears) {
        ++gear;
        clutchFrames = 8;
        race.gear_row = rows[gear];
        race.gear_column = columns[gear];
      }
      bits = clutchFrames > 0 ? CLUTCH : THROTTLE;
      if (clutchFrames > 0) --clutchFrames;
      race.race_time_ms = static_cast<uint32_t>((frame - goFrame) * 1000 / 60);
    }
    StepCarPhysics(current_car, tacho, car_model_state, race, bits, ReadTimer(), 60);
  }
  const float step = static_cast<float>(race.speed * 0.2777777777777778 / 60);
  race.distance += step;
  race.camera_eye.z = race.distance;
  race.camera_at.z += step;
  race.camera_at.y = race.view_pitch;
  if (!race.finished && race.distance >= course) {
    race.finished = true;
    race.time_rank = 1;
  }
}

// Where a frame's time goes: the same kinds of work one at a time, each timed over many
// frames, the presentation included (it waits for the device's drawing).
void RunParts(int frames) {
  IDirect3DDevice3* device = display_context.device;
  D3DRECT clear = {0, 0, 640, 480};
  auto bracket = [&](const char* what, auto&& work) {
    std::vector<double> samples;
    for (int frame = 0; frame < frames; ++frame) {
      display_context.viewport->Clear(1, &clear, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER);
      const LARGE_INTEGER start = Now();
      work();
      ShowBackBuffer();
      samples.push_back(Milliseconds(start, Now()));
      WaitForFrame();
    }
    Print(what, samples);
  };
  auto blit = [](IDirectDrawSurface4* picture, const InstrumentBlit& b, DWORD flags) {
    const RECT from = {b.source.left, b.source.top, b.source.right, b.source.bottom};
    const RECT to = {b.destination.left, b.destination.top, b.destination.right,
                     b.destination.bottom};
    BlitToBackBuffer(picture, from, to, flags);
  };
  auto road = [&] {
    device->BeginScene();
    D3DMATRIX world;
    for (int i = 10; i >= 0; --i) {
      SetTranslationMatrix(world, 0.0f, 0.0f, i * 20.0f + 10.0f);
      device->SetTransform(D3DTRANSFORMSTATE_WORLD, &world);
      device->SetTexture(0, tex_Way.texture);
      device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1,
                                   course_model.mesh.vertices.get(), course_model.mesh.vertex_count,
                                   course_model.mesh.indices.get(), course_model.mesh.index_count, 0);
    }
    device->SetTexture(0, nullptr);
    device->EndScene();
  };
  std::printf("  parts (%d frames each):\n", frames);
  bracket("clear, present", [] {});
  bracket("whole scene", [] { DrawRaceScene(); });
  bracket("back opaque", [&] { blit(lpDDSBack, Background(), 0); });
  bracket("tacho keyed", [&] { blit(lpDDSTachometer, TachometerFace(current_car), DDBLT_KEYSRC); });
  bracket("20 digits", [&] {
    InstrumentBlit cells[kTimeCells];
    TimeDigits(12345, cells);
    for (int i = 0; i < 4; ++i)
      for (const InstrumentBlit& c : cells) blit(lpDDSFont, c, DDBLT_KEYSRC);
  });
  bracket("time slip, full", [] {
    RaceState run = {};
    run.slip = {true, 412, {}};
    for (SlipMark& mark : run.slip.marks) mark = {true, 12345, 234.5};
    time_slip_panel = 1;
    DrawTimeSlipPanel(run, 1000.0f);
    time_slip_panel = 0;
  });
  bracket("road 3D", road);
  bracket("road, blit", [&] {
    road();
    blit(lpDDSTachometer, TachometerFace(current_car), DDBLT_KEYSRC);
  });
  // The same picture from system memory instead of video memory.
  DDSURFACEDESC2 desc = {};
  desc.dwSize = sizeof desc;
  desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
  desc.dwWidth = 768;
  desc.dwHeight = 208;
  desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
  IDirectDrawSurface4* system = nullptr;
  if (SUCCEEDED(display_context.direct_draw->CreateSurface(&desc, &system, nullptr))) {
    system->Blt(nullptr, lpDDSTachometer, nullptr, DDBLT_WAIT, nullptr);
    SetBlackColorKey(system);
    bracket("road, sysmem blit", [&] {
      road();
      blit(system, TachometerFace(current_car), DDBLT_KEYSRC);
    });
    system->Release();
  }
  bracket("road, blit, 3D", [&] {
    road();
    blit(lpDDSTachometer, TachometerFace(current_car), DDBLT_KEYSRC);
    road();
  });
}

void RunRace(int style, int framesPerPhase, const std::string& shots, const char* mode) {
  speedometer_style = style;
  SetRaceStartValues(race_state);
  ApplyRaceView();
  const TachoScaleRow& tacho = TachoScaleFor(current_car);
  const float course = CourseLength[0];
  int32_t rows[6], columns[6];
  const int gears = ForwardSlots(current_car, rows, columns);
  int gear = 0, clutchFrames = 0;
  const int goFrame = framesPerPhase;
  Samples samples;
  int afterFinish = 0;
  bool shotMid = false;
  const std::string prefix = std::string(mode) + (style == 0 ? "_digital_" : "_dial_");
  for (int frame = 0; afterFinish < framesPerPhase && frame < 100000; ++frame) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    StepRace(frame, goFrame, rows, columns, gears, gear, clutchFrames, tacho, course);
    const LARGE_INTEGER start = Now();
    DrawRaceScene();
    DrawFrameRate();
    ShowBackBuffer();
    const double work = Milliseconds(start, Now());
    if (frame < goFrame) {
      samples.start.push_back(work);
    } else if (!race_state.finished) {
      samples.run.push_back(work);
    } else {
      samples.finish.push_back(work);
      ++afterFinish;
    }
    if (frame == goFrame / 2) SaveBackBuffer(shots, (prefix + "start").c_str());
    if (frame == goFrame) SaveBackBuffer(shots, (prefix + "signal_go").c_str());
    if (!shotMid && race_state.distance > 196.0f) {
      shotMid = true;
      SaveBackBuffer(shots, (prefix + "mid_course").c_str());
    }
    if (afterFinish == 30) SaveBackBuffer(shots, (prefix + "finish").c_str());
    WaitForFrame();
  }
  std::printf("  %s speedometer (%s, %.3f s at the line, top %.1f km/h):\n",
              style == 0 ? "digital" : "dial", current_car.name, race_state.race_time_ms / 1000.0,
              race_state.speed);
  Print("start line", samples.start);
  Print("run", samples.run);
  Print("after finish", samples.finish);
}
}  // namespace

int main(int argc, char** argv) {
  const bool windowedMode = argc < 2 || std::strcmp(argv[1], "full") != 0;
  const int frames = argc > 2 ? std::max(30, std::atoi(argv[2])) : 300;
  const std::string shots = argc > 3 ? argv[3] : "";
  window = MakeBenchWindow("race_bench");
  instance = GetModuleHandleA(nullptr);
  if (!ReadCounterFrequency() || !InitTimer(1000)) return 1;
  StartFrameClock();
  FillTachoScale();
  physics_rate = 60;
  if (!LoadCarData() || car_table.empty()) {
    std::printf("no car data\n");
    return 1;
  }
  current_car = car_table[std::min<size_t>(4, car_table.size() - 1)];
  if (!CreateDisplay(window, 640, 480, windowedMode ? 1 : 0, 0)) {
    std::printf("CreateDisplay failed (%s)\n", windowedMode ? "window" : "full screen");
    ReleaseDisplay();
    return 1;
  }
  std::printf("%s, %s device, %d frames a phase:\n", windowedMode ? "window" : "full screen",
              display_context.hardware_device ? "HAL" : "software", frames);
  scene_state = SCENE_RACE_ENTER;
  EnterRace();
  if (scene_state == SCENE_EXIT) return 1;
  scene_state = SCENE_RACE;
  const char* mode = windowedMode ? "window" : "full";
  RunRace(0, frames, shots, mode);
  RunRace(1, frames, shots, mode);
  if (std::getenv("RACE_BENCH_PARTS") != nullptr) RunParts(frames);

  ReleaseSceneSurfaces();
  ReleaseDisplay();
  ReleaseFrameClock();
  ReleaseCarData();
  DestroyWindow(window);
  return 0;
}
