// Creating and releasing the DirectInput devices.
#include "input/input_win32.h"

#include "app/win_globals.h"

IDirectInputA* direct_input = nullptr;
IDirectInputDeviceA* keyboard_device = nullptr;
IDirectInputDeviceA* joystick_device = nullptr;
IDirectInputDevice2A* joystick = nullptr;

namespace {

constexpr const char* kInputCaption = "DirectInputの初期化";
constexpr const char* kCreateFailed = "DirectInputオブジェクトの生成に失敗";

// The game's axes run from -1000 to 1000, so full deflection is a value past +-999.
constexpr LONG kAxisMinimum = -1000;
constexpr LONG kAxisMaximum = 1000;

template <typename Interface>
void ReleaseHandle(Interface*& handle) {
  if (handle != nullptr) {
    handle->Release();
    handle = nullptr;
  }
}

void ReleaseDevices() {
  ReleaseHandle(keyboard_device);
  ReleaseHandle(joystick_device);
  ReleaseHandle(joystick);
  ReleaseHandle(direct_input);
}

// The first attached joystick that can be created is the one used; once created, the
// enumeration stops whether or not it offers the version-2 interface.
BOOL CALLBACK TakeFirstJoystick(LPCDIDEVICEINSTANCEA device, LPVOID) {
  IDirectInputDeviceA* created = nullptr;
  if (FAILED(direct_input->CreateDevice(device->guidInstance, &created, nullptr)) ||
      created == nullptr) {
    return DIENUM_CONTINUE;
  }
  joystick_device = created;
  void* second = nullptr;
  if (SUCCEEDED(created->QueryInterface(IID_IDirectInputDevice2A, &second))) {
    joystick = static_cast<IDirectInputDevice2A*>(second);
  }
  return DIENUM_STOP;
}

void SetAxisRange(DWORD axisOffset) {
  DIPROPRANGE range = {};
  range.diph.dwSize = sizeof(range);
  range.diph.dwHeaderSize = sizeof(range.diph);
  range.diph.dwObj = axisOffset;
  range.diph.dwHow = DIPH_BYOFFSET;
  range.lMin = kAxisMinimum;
  range.lMax = kAxisMaximum;
  joystick->SetProperty(DIPROP_RANGE, &range.diph);
}

// The joystick's set-up past its data format is best effort: a pad that refuses the range or
// the acquire still reads, only less well.
void ConfigureJoystick() {
  DIPROPDWORD mode = {};
  mode.diph.dwSize = sizeof(mode);
  mode.diph.dwHeaderSize = sizeof(mode.diph);
  mode.diph.dwObj = 0;
  mode.diph.dwHow = DIPH_DEVICE;
  mode.dwData = DIPROPAXISMODE_ABS;
  joystick->SetProperty(DIPROP_AXISMODE, &mode.diph);
  SetAxisRange(DIJOFS_X);
  SetAxisRange(DIJOFS_Y);
  joystick->Acquire();
}

bool Fail(HWND hwnd, const char* message) {
  ShowMessageBox(message, kInputCaption);
  ReleaseDevices();
  ShowMessageBox(kCreateFailed, kInputCaption);
  DestroyWindow(hwnd);
  return false;
}

}  // namespace

bool CreateInput(HINSTANCE hinstance, HWND hwnd) {
  // A second start-up must not leak the first one's devices.
  ReleaseInput();

  if (FAILED(DirectInputCreateA(hinstance, 0x0500, &direct_input, nullptr)) ||
      direct_input == nullptr) {
    direct_input = nullptr;
    return Fail(hwnd, kCreateFailed);
  }
  if (FAILED(direct_input->CreateDevice(GUID_SysKeyboard, &keyboard_device, nullptr)) ||
      keyboard_device == nullptr) {
    keyboard_device = nullptr;
    return Fail(hwnd, "キーボードの生成に失敗");
  }
  if (FAILED(keyboard_device->SetDataFormat(&c_dfDIKeyboard))) {
    return Fail(hwnd, "データフォーマットに失敗");
  }
  // Background: the keyboard is read even while another window is in front.
  if (FAILED(keyboard_device->SetCooperativeLevel(hwnd, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND))) {
    return Fail(hwnd, "モードの設定に失敗");
  }

  joystick = nullptr;
  direct_input->EnumDevices(DIDEVTYPE_JOYSTICK, TakeFirstJoystick, nullptr,
                            DIEDFL_ATTACHEDONLY);
  if (joystick != nullptr) {
    if (FAILED(joystick->SetDataFormat(&c_dfDIJoystick))) {
      return Fail(hwnd, "Joyデータフォーマットに失敗");
    }
    ConfigureJoystick();
  } else {
    ReleaseHandle(joystick_device);
  }

  keyboard_device->Acquire();
  return true;
}

void ReleaseInput() {
  if (direct_input == nullptr) return;
  ReleaseDevices();
}

bool HasJoystick() { return joystick != nullptr; }
