// The race's pictures, models and textures: loaded on entering the race and after a display
// rebuild, released with every scene change.
#pragma once

void EnterRace();
// Loads every race resource; a missing picture shows its message box and asks for
// SCENE_EXIT, a missing model or texture leaves the race running without it.
void LoadRaceResources();
// Releases the race's own resources (the shared fonts belong to ReleaseSceneSurfaces).
void ReleaseRaceResources();
