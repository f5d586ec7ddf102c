// DirectInput and the typed character on a real window under Wine (no joystick attached).
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "app/scene_state.h"
#include "app/win_globals.h"
#include "input/input_win32.h"
#include "input/key_codes.h"
#include "input/key_state.h"

namespace {

HWND MakeWindow(DWORD style, HWND parent) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "input_test";
  RegisterClassA(&windowClass);
  return CreateWindowA("input_test", "input test", style, 0, 0, 320, 240, parent, nullptr,
                       GetModuleHandleA(nullptr), nullptr);
}

std::wstring Wide(const char* utf8) {
  wchar_t buffer[256] = {};
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, buffer, 256);
  return buffer;
}

// Answers every message box the thread under test opens and notes its caption and text.
class MessageBoxWatcher {
 public:
  // The lists are filled from the watcher's thread; read them once it is gone.
  MessageBoxWatcher(DWORD threadId, std::vector<std::wstring>& captions,
                    std::vector<std::wstring>& texts)
      : captions_(captions), texts_(texts), thread_id_(threadId) {
    watcher_ = std::thread([this] { Run(); });
  }
  ~MessageBoxWatcher() {
    stop_ = true;
    watcher_.join();
  }

 private:
  static BOOL CALLBACK CollectStatic(HWND child, LPARAM context) {
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
    wchar_t caption[256] = {};
    GetWindowTextW(box, caption, 256);
    std::wstring text;
    EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&text));
    self->captions_.push_back(caption);
    self->texts_.push_back(text);
    SendMessageW(box, WM_COMMAND, IDOK, 0);
    return TRUE;
  }
  void Run() {
    while (!stop_) {
      EnumThreadWindows(thread_id_, Answer, reinterpret_cast<LPARAM>(this));
      Sleep(20);
    }
  }
  std::vector<std::wstring>& captions_;
  std::vector<std::wstring>& texts_;
  DWORD thread_id_;
  std::atomic<bool> stop_{false};
  std::thread watcher_;
};

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr);
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

TEST_F(InputTest, KeyboardOpensAndReadsWithoutAJoystick) {
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
  HWND other = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr);
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

TEST_F(InputTest, KeyboardTakenAwayIsTakenBackForTheNextFrame) {
  ASSERT_TRUE(CreateInput(instance, window));
  ASSERT_EQ(DI_OK, ReadKeyboard());
  keyboard_device->Unacquire();
  // This frame goes without keys; the read itself acquires the keyboard again.
  EXPECT_TRUE(FAILED(ReadKeyboard()));
  EXPECT_EQ(DI_OK, ReadKeyboard());
  EXPECT_TRUE(ReadFrameInput());
}

TEST_F(InputTest, ReleaseTwiceIsHarmlessAndReadingThenFails) {
  ASSERT_TRUE(CreateInput(instance, window));
  ReleaseInput();
  EXPECT_EQ(nullptr, direct_input);
  EXPECT_EQ(nullptr, keyboard_device);
  EXPECT_EQ(nullptr, joystick);
  ReleaseInput();
  EXPECT_EQ(nullptr, direct_input);
  EXPECT_TRUE(FAILED(ReadKeyboard()));
  EXPECT_FALSE(ReadFrameInput());
  PollJoystickIntoKeys();

  // And the devices can be made again afterwards, as a display rebuild never needs but a
  // second start-up would.
  ASSERT_TRUE(CreateInput(instance, window));
  EXPECT_EQ(DI_OK, ReadKeyboard());
}

TEST_F(InputTest, TypedCharacterFollowsTheThreadKeyboardState) {
  BYTE state[256] = {};
  ASSERT_TRUE(SetKeyboardState(state));
  EXPECT_EQ(0, ReadTypedCharacter());

  state[VK_SHIFT] = 0x80;
  state[VK_LSHIFT] = 0x80;
  state['A'] = 0x80;
  ASSERT_TRUE(SetKeyboardState(state));
  EXPECT_EQ('A', ReadTypedCharacter());

  state[VK_SHIFT] = 0;
  state[VK_LSHIFT] = 0;
  ASSERT_TRUE(SetKeyboardState(state));
  EXPECT_EQ('a', ReadTypedCharacter());

  // Two letters down: the lower virtual-key code wins.
  state['C'] = 0x80;
  state['B'] = 0x80;
  state['A'] = 0;
  ASSERT_TRUE(SetKeyboardState(state));
  EXPECT_EQ('b', ReadTypedCharacter());

  std::memset(state, 0, sizeof(state));
  SetKeyboardState(state);
}

TEST_F(InputTest, FailedSetUpReleasesAllShowsTheMessagesAndClosesTheWindow) {
  // DirectInput refuses a cooperative level for a child window.
  HWND child = MakeWindow(WS_CHILD | WS_VISIBLE, window);
  ASSERT_NE(nullptr, child);
  bool created = true;
  std::vector<std::wstring> captions, texts;
  {
    MessageBoxWatcher watcher(GetCurrentThreadId(), captions, texts);
    created = CreateInput(instance, child);
  }
  EXPECT_FALSE(created);
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(nullptr, direct_input);
  EXPECT_EQ(nullptr, keyboard_device);
  EXPECT_EQ(nullptr, joystick_device);
  EXPECT_EQ(nullptr, joystick);
  ASSERT_EQ(2u, texts.size());
  EXPECT_EQ(Wide("モードの設定に失敗"), texts[0]);
  EXPECT_EQ(Wide("DirectInputオブジェクトの生成に失敗"), texts[1]);
  for (const std::wstring& caption : captions) EXPECT_EQ(Wide("DirectInputの初期化"), caption);
}
