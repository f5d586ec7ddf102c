// Shared by the display tests: a game-like window, 8-bit bitmap files made on the spot,
// pixel reads from surfaces, the debug log, and a watcher that answers message boxes.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <ddraw.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "app/debug_log.h"
#include "app/win_globals.h"

namespace display_test {

struct Rgb {
  uint8_t r, g, b;
};

// A window with the game's styles, shown, with a 640x480 client area or thereabouts.
inline HWND MakeGameWindow() {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = "display_test";
  RegisterClassExA(&windowClass);
  HWND hwnd = CreateWindowExA(WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE, "display_test", "display test",
                              WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 600, 400, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  window = hwnd;
  return hwnd;
}

inline void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Writes an uncompressed 8-bit Windows bitmap; pixels are palette indices, top row first.
inline bool WriteBitmap8(const char* path, int width, int height, const std::vector<Rgb>& palette,
                         const std::vector<uint8_t>& pixels) {
  const int stride = (width + 3) & ~3;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;  // bottom-up
  info.biPlanes = 1;
  info.biBitCount = 8;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(stride * height);
  info.biClrUsed = 256;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info + 256 * 4;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::FILE* out = std::fopen(path, "wb");
  if (out == nullptr) return false;
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&info, sizeof info, 1, out);
  for (int i = 0; i < 256; ++i) {
    const Rgb c = i < static_cast<int>(palette.size()) ? palette[i] : Rgb{0, 0, 0};
    const uint8_t quad[4] = {c.b, c.g, c.r, 0};
    std::fwrite(quad, 4, 1, out);
  }
  std::vector<uint8_t> row(static_cast<size_t>(stride), 0);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) row[x] = pixels[static_cast<size_t>(y * width + x)];
    std::fwrite(row.data(), 1, row.size(), out);
  }
  std::fclose(out);
  return true;
}

struct SurfaceSize {
  int width = 0;
  int height = 0;
};

inline SurfaceSize SizeOf(IDirectDrawSurface4* surface) {
  DDSURFACEDESC2 desc = {};
  desc.dwSize = sizeof desc;
  SurfaceSize size;
  if (surface != nullptr && SUCCEEDED(surface->GetSurfaceDesc(&desc))) {
    size.width = static_cast<int>(desc.dwWidth);
    size.height = static_cast<int>(desc.dwHeight);
  }
  return size;
}

// Every pixel of a surface as 32-bit values of its own format (16-bit formats widened), the
// unused bits of an X8R8G8B8 or X1R5G5B5 pixel cleared.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> values;
  uint32_t At(int x, int y) const { return values[static_cast<size_t>(y * width + x)]; }
};

inline Pixels ReadPixels(IDirectDrawSurface4* surface) {
  Pixels pixels;
  DDSURFACEDESC2 desc = {};
  desc.dwSize = sizeof desc;
  if (surface == nullptr ||
      FAILED(surface->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr))) {
    return pixels;
  }
  pixels.width = static_cast<int>(desc.dwWidth);
  pixels.height = static_cast<int>(desc.dwHeight);
  const int bytes = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount / 8);
  const DDPIXELFORMAT& format = desc.ddpfPixelFormat;
  const uint32_t used = (format.dwFlags & DDPF_RGB)
                            ? format.dwRBitMask | format.dwGBitMask | format.dwBBitMask
                            : 0xFFFFFFFFu;
  pixels.values.resize(static_cast<size_t>(pixels.width * pixels.height));
  for (int y = 0; y < pixels.height; ++y) {
    const auto* row = static_cast<const uint8_t*>(desc.lpSurface) + y * desc.lPitch;
    for (int x = 0; x < pixels.width; ++x) {
      uint32_t value = 0;
      for (int b = 0; b < bytes; ++b) value |= static_cast<uint32_t>(row[x * bytes + b]) << (8 * b);
      pixels.values[static_cast<size_t>(y * pixels.width + x)] = value & used;
    }
  }
  surface->Unlock(nullptr);
  return pixels;
}

inline DDPIXELFORMAT FormatOf(IDirectDrawSurface4* surface) {
  DDPIXELFORMAT format = {};
  format.dwSize = sizeof format;
  surface->GetPixelFormat(&format);
  return format;
}

// Logging on, into a fresh .\vorta.log.
inline void StartFreshLog() {
  DeleteFileA(".\\vorta.log");
  debug_mode = 1;
}

// The log is written in text mode: line ends come back as "\n" here.
inline std::string ReadLog() {
  std::ifstream in(".\\vorta.log", std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string lines;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    lines += text[i];
  }
  return lines;
}

inline bool Contains(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

// Answers (with OK) every message box the calling thread opens and keeps caption and text.
class MessageBoxWatcher {
 public:
  MessageBoxWatcher() : thread_id_(GetCurrentThreadId()) {
    watcher_ = std::thread([this] { Run(); });
  }
  ~MessageBoxWatcher() {
    stop_ = true;
    watcher_.join();
  }
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  std::vector<std::wstring> captions;
  std::vector<std::wstring> texts;

 private:
  static BOOL CALLBACK FindText(HWND child, LPARAM context) {
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (lstrcmpiW(name, L"Static") == 0) {
      wchar_t text[256] = {};
      GetWindowTextW(child, text, 256);
      if (text[0] != 0) *reinterpret_cast<std::wstring*>(context) = text;
    }
    return TRUE;
  }
  static BOOL CALLBACK Answer(HWND box, LPARAM context) {
    auto* self = reinterpret_cast<MessageBoxWatcher*>(context);
    wchar_t name[32] = {};
    GetClassNameW(box, name, 32);
    if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(box)) return TRUE;
    // A box stays on screen until its thread has handled the answer: count it once.
    for (HWND seen : self->answered_) {
      if (seen == box) return TRUE;
    }
    self->answered_.push_back(box);
    wchar_t caption[128] = {};
    GetWindowTextW(box, caption, 128);
    std::wstring text;
    EnumChildWindows(box, &FindText, reinterpret_cast<LPARAM>(&text));
    self->captions.push_back(caption);
    self->texts.push_back(text);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return TRUE;
  }
  void Run() {
    while (!stop_) {
      EnumThreadWindows(thread_id_, &Answer, reinterpret_cast<LPARAM>(this));
      Sleep(50);
    }
  }

  DWORD thread_id_;
  std::vector<HWND> answered_;
  std::atomic<bool> stop_{false};
  std::thread watcher_;
};

inline std::wstring Wide(const char* utf8) {
  wchar_t buffer[256] = {};
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, buffer, 256);
  return buffer;
}

}  // namespace display_test
