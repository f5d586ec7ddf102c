// The ghost's car in the race's 3D scene: its model, and its drawing see-through and pale in
// the next lane, lit by the scene's own light.
#pragma once

#include <windows.h>
#include <d3d.h>

#include "gfx3d/device_model_d3d.h"

// Empty while the race is not loaded.
extern DeviceModel ghost_model;  // "ghost"

// The lane the ghost races in: the one left of the player's, m from the player's line.
constexpr float kGhostLaneX = -2.6f;

// Draws the ghost's car at `distance` m along the course. Every render state it changes is set
// back to what it was, so the rest of the scene is drawn exactly as without it.
void DrawGhostCar(IDirect3DDevice3* device, float distance);
