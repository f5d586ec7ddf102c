// DirectInput on a real window under Wine (no joystick attached).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "app/win_globals.h"
#include "input/input_win32.h"
#include "input/key_codes.h"
#include "input/key_state.h"
#include "windows_test_support.h"

namespace {
using namespace windows_test;

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_NE(nullptr, window);
    instance = GetModuleHandleA(nullptr);
  }
  void TearDown() override {
    ReleaseInput();
    if (IsWindow(window)) DestroyWindow(window);
    window = nullptr;
  }
};

void SendKey(WORD scanCode, bool down) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = scanCode;
  input.ki.dwFlags = KEYEVENTF_SCANCODE | (down ? 0 : KEYEVENTF_KEYUP);
  SendInput(1, &input, sizeof(input));
}

// Lets the input reach DirectInput's hook and the window.
void Pump() {
  for (int i = 0; i < 20; ++i) {
    PumpMessages();
    Sleep(10);
  }
}

}  // namespace

TEST_F(InputTest, KeyboardOpensReadsInTheBackgroundAndIsTakenBack) {
  ASSERT_TRUE(CreateInput(instance, window));
  EXPECT_FALSE(HasJoystick()) << "nothing is attached";

  // A full reading overwrites the whole array: nothing is down on a headless X server.
  std::memset(key_state, 0x80, sizeof(key_state));
  ASSERT_EQ(DI_OK, ReadKeyboard());
  for (int code = 0; code < kKeyCount; ++code) ASSERT_EQ(0, key_state[code]) << code;

  // A keyboard taken away costs one frame's keys; the read itself acquires it again.
  keyboard_device->Unacquire();
  EXPECT_TRUE(FAILED(ReadKeyboard()));
  EXPECT_EQ(DI_OK, ReadKeyboard());
  EXPECT_TRUE(ReadFrameInput());

  // Read in the background: a key held while another window is in front.
  HWND other = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  ASSERT_NE(nullptr, other);
  SetForegroundWindow(other);
  Pump();
  SendKey(DIK_LMENU, true);
  Pump();
  const HRESULT result = ReadKeyboard();
  const bool held = IsKeyHeld(DIK_LMENU);
  SendKey(DIK_LMENU, false);
  Pump();
  DestroyWindow(other);
  ASSERT_EQ(DI_OK, result);
  EXPECT_TRUE(held);
}

TEST_F(InputTest, FailedSetUpReleasesAllShowsTheMessagesAndClosesTheWindow) {
  // DirectInput refuses a cooperative level for a child window.
  HWND child = MakeWindow(WS_CHILD | WS_VISIBLE, window);
  ASSERT_NE(nullptr, child);
  MessageBoxWatcher watcher;
  EXPECT_FALSE(CreateInput(instance, child));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(nullptr, direct_input);
  EXPECT_EQ(nullptr, keyboard_device);
  ASSERT_EQ(2u, watcher.texts.size());
  EXPECT_EQ(L"モードの設定に失敗", watcher.texts[0]);
  EXPECT_EQ(L"DirectInputオブジェクトの生成に失敗", watcher.texts[1]);
  for (const std::wstring& caption : watcher.captions) {
    EXPECT_EQ(L"DirectInputの初期化", caption);
  }
}
