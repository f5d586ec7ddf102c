// Hands the race camera to the 3D device.
#pragma once

// The view from the race camera, the race's projection and the depth test, set on the device;
// then, once per load of the race's resources, the warm-up of the race's drawing.
void ApplyRaceView();
