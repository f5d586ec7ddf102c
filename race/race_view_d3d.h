// Hands the race camera to the 3D device.
#pragma once

// The view from the race camera, the race's projection and the depth test, set on the device.
void ApplyRaceView();
