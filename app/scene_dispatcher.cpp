#include "app/scene_dispatcher.h"

#include "app/scene_state.h"
#include "app/settings.h"

void DispatchScene(bool shutDown, SceneServices& services) {
  if (shutDown) {
    services.ShutDown();
    return;
  }

  switch (scene_state) {
    case SCENE_BOOT:
      services.ReadConfiguration();
      if (!services.StartUp()) {
        scene_state = SCENE_EXIT;
        return;
      }
      // Any non-zero setting means a window, and a window shows the cursor.
      services.SetCursorVisible(windowed != 0 ? 1 : 0);
      scene_state = SCENE_TITLE_ENTER;
      break;
    case SCENE_TITLE_ENTER: services.EnterTitle(); break;
    case SCENE_TITLE: services.TitleFrame(); break;
    case SCENE_RACE_RESET:
      services.ResetRace();
      services.ApplyRaceView();
      scene_state = SCENE_RACE;
      break;
    case SCENE_RACE_ENTER: services.EnterRace(); break;
    case SCENE_RACE: services.RaceFrame(); break;
    case SCENE_EXIT:
      services.SaveOnExit();
      services.ShutDown();
      return;
    case SCENE_RECORDS_ENTER: services.EnterRecords(); break;
    case SCENE_RECORDS: services.RecordsFrame(); break;
    case SCENE_RESULT_ENTER: services.EnterResult(); break;
    case SCENE_RESULT: services.ResultFrame(); break;
    case SCENE_CAR_SELECT_ENTER: services.EnterCarSelect(); break;
    case SCENE_CAR_SELECT: services.CarSelectFrame(); break;
    case SCENE_OPTIONS_ENTER: services.EnterOptions(); break;
    case SCENE_OPTIONS: services.OptionsFrame(); break;
    default: break;  // an unknown state runs no scene; the joystick's Esc can still leave it
  }

  // Only the joystick's Esc button still counts here: the next frame's keyboard read
  // overwrites the key bits.
  services.PollJoystickIntoKeys();
}
