// One step of the current scene per pass of the message loop.
#pragma once

// Everything a scene step may call. The Windows layer implements it with the real services;
// the dispatcher itself stays portable so its state machine is tested natively.
class SceneServices {
 public:
  virtual ~SceneServices() = default;

  virtual void ReadConfiguration() = 0;
  virtual bool StartUp() = 0;
  virtual void ShutDown() = 0;
  virtual void SetCursorVisible(int flag) = 0;
  virtual void SaveOnExit() = 0;  // the save file and the settings, as an orderly exit writes them
  virtual void PollJoystickIntoKeys() = 0;

  virtual void EnterTitle() = 0;
  virtual void TitleFrame() = 0;
  virtual void ResetRace() = 0;
  virtual void ApplyRaceView() = 0;
  virtual void EnterRace() = 0;
  virtual void RaceFrame() = 0;
  virtual void EnterRecords() = 0;
  virtual void RecordsFrame() = 0;
  virtual void EnterResult() = 0;
  virtual void ResultFrame() = 0;
  virtual void EnterCarSelect() = 0;
  virtual void CarSelectFrame() = 0;
  virtual void EnterOptions() = 0;
  virtual void OptionsFrame() = 0;
};

// shutDown is true exactly once, after the message loop has ended: then only ShutDown runs.
void DispatchScene(bool shutDown, SceneServices& services);
