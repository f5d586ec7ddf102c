// DirectInput and the typed character on a real window under Wine (no joystick attached).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "app/scene_state.h"
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

}  // namespace

TEST_F(InputTest, KeyboardOpensReadsAndIsTakenBackWithoutAJoystick) {
  ASSERT_TRUE(CreateInput(instance, window));
  EXPECT_NE(nullptr, direct_input);
  EXPECT_NE(nullptr, keyboard_device);
  // Nothing attached: no joystick and no half-made joystick device left behind.
  EXPECT_FALSE(HasJoystick());
  EXPECT_EQ(nullptr, joystick_device);

  // A full reading overwrites the whole array: nothing is down on a headless X server.
  std::memset(key_state, 0x80, sizeof(key_state));
  ASSERT_EQ(DI_OK, ReadKeyboard());
  for (int code = 0; code < kKeyCount; ++code) ASSERT_EQ(0, key_state[code]) << code;

  // With no joystick the fold leaves the keys as the keyboard left them.
  key_state[DIK_SPACE] = 0x80;
  scene_state = SCENE_TITLE;
  PollJoystickIntoKeys();
  EXPECT_EQ(0x80, key_state[DIK_SPACE]);
  EXPECT_EQ(SCENE_TITLE, scene_state);
  EXPECT_TRUE(ReadFrameInput());

  // A keyboard taken away costs one frame's keys; the read itself acquires it again.
  keyboard_device->Unacquire();
  EXPECT_TRUE(FAILED(ReadKeyboard()));
  EXPECT_EQ(DI_OK, ReadKeyboard());
  EXPECT_TRUE(ReadFrameInput());
}

namespace {
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
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
}
}  // namespace

TEST_F(InputTest, HeldKeyReadsAsDownByItsDirectInputCode) {
  ASSERT_TRUE(CreateInput(instance, window));
  SetForegroundWindow(window);
  Pump();
  SendKey(DIK_SPACE, true);
  SendKey(DIK_LCONTROL, true);
  Pump();
  ASSERT_EQ(DI_OK, ReadKeyboard());
  EXPECT_TRUE(IsKeyHeld(DIK_SPACE));
  EXPECT_TRUE(IsKeyHeld(DIK_LCONTROL));
  EXPECT_FALSE(IsKeyHeld(DIK_RETURN));
  RememberKeyState();

  SendKey(DIK_SPACE, false);
  Pump();
  ASSERT_EQ(DI_OK, ReadKeyboard());
  EXPECT_FALSE(IsKeyHeld(DIK_SPACE));
  EXPECT_TRUE(IsKeyHeld(DIK_LCONTROL));
  EXPECT_FALSE(IsKeyPressed(DIK_LCONTROL));
  SendKey(DIK_LCONTROL, false);
  Pump();
}

TEST_F(InputTest, KeyboardIsReadWhileAnotherWindowIsInFront) {
  ASSERT_TRUE(CreateInput(instance, window));
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

TEST_F(InputTest, TypedCharacterFollowsTheThreadKeyboardState) {
  struct Case {
    bool shift;
    const char* letters;  // virtual keys held down
    int expected;
  };
  // Of two letters down, the lower virtual-key code wins.
  const Case cases[] = {{false, "", 0}, {true, "A", 'A'}, {false, "A", 'a'}, {false, "CB", 'b'}};
  for (const Case& c : cases) {
    BYTE state[256] = {};
    state[VK_SHIFT] = state[VK_LSHIFT] = c.shift ? 0x80 : 0;
    for (const char* key = c.letters; *key != 0; ++key) state[static_cast<BYTE>(*key)] = 0x80;
    ASSERT_TRUE(SetKeyboardState(state));
    EXPECT_EQ(c.expected, ReadTypedCharacter()) << c.letters << " shift " << c.shift;
  }
  BYTE none[256] = {};
  SetKeyboardState(none);
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
  EXPECT_EQ(nullptr, joystick_device);
  EXPECT_EQ(nullptr, joystick);
  ASSERT_EQ(2u, watcher.texts.size());
  EXPECT_EQ(Wide("モードの設定に失敗"), watcher.texts[0]);
  EXPECT_EQ(Wide("DirectInputオブジェクトの生成に失敗"), watcher.texts[1]);
  for (const std::wstring& caption : watcher.captions) {
    EXPECT_EQ(Wide("DirectInputの初期化"), caption);
  }
}
