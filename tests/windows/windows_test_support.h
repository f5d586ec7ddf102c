// Shared by the Windows-side tests: a plain window, the message pump, the debug log, a scratch
// working folder, and a watcher that answers message boxes.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace windows_test {

inline HWND MakeWindow(DWORD style, HWND parent = nullptr, DWORD extendedStyle = 0,
                       int width = 320, int height = 240) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = "vorta_test";
  RegisterClassA(&windowClass);  // refused harmlessly from the second window on
  return CreateWindowExA(extendedStyle, "vorta_test", "vorta test", style, 0, 0, width, height,
                         parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

inline void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

inline std::vector<uint8_t> ReadBytes(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The log of the working folder as wide text: the game writes it in code page 932, in text mode
// (line ends come back as "\n"; no byte of a double-byte character is a '\r').
inline std::wstring ReadLog() {
  std::string text;
  for (uint8_t byte : ReadBytes("vorta.log")) {
    if (byte != '\r') text += static_cast<char>(byte);
  }
  std::wstring wide(text.size(), L'\0');
  constexpr UINT kCodePage932 = 932;
  wide.resize(static_cast<size_t>(MultiByteToWideChar(kCodePage932, 0, text.data(),
                                                      static_cast<int>(text.size()), wide.data(),
                                                      static_cast<int>(wide.size()))));
  return wide;
}

inline bool Contains(const std::wstring& text, const wchar_t* part) {
  return text.find(part) != std::wstring::npos;
}

// A fresh, empty working folder for as long as it lives; then the previous one again. A folder
// that cannot be made or entered throws, which fails the case.
class ScratchFolder {
 public:
  ScratchFolder() {
    static int count = 0;
    path_ /= "vorta_test_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(count++);
    std::filesystem::remove_all(path_);
    std::filesystem::create_directory(path_);
    std::filesystem::current_path(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

 private:
  const std::filesystem::path previous_ = std::filesystem::current_path();
  std::filesystem::path path_ = std::filesystem::temp_directory_path();
};

// Answers (with OK) every message box the creating thread opens and keeps caption and text.
// The lists are filled from the watcher's thread before it answers: read them once the call
// that showed the boxes has returned.
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
    // Windows gives a message box's text control the ID 0xFFFF, and so does Wine (8 here).
    constexpr int kMessageBoxTextId = 0xFFFF;
    wchar_t text[256] = {};
    GetDlgItemTextW(box, kMessageBoxTextId, text, 256);
    self->captions.push_back(caption);
    self->texts.push_back(text);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return TRUE;
  }
  void Run() {
    while (!stop_) {
      EnumThreadWindows(thread_id_, &Answer, reinterpret_cast<LPARAM>(this));
      Sleep(20);
    }
  }

  DWORD thread_id_;
  std::vector<HWND> answered_;
  std::atomic<bool> stop_{false};
  std::thread watcher_;
};

}  // namespace windows_test
