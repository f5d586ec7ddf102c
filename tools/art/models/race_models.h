// The eleven meshes of the race scene, built from measurements rather than drawn by hand.
//
// They are made for the race camera: the eye 1.22 m above the road surface, looking 10 m
// ahead with a very wide lens that stretches everything 1.75 times horizontally, lit by one
// far point light high up to the right and slightly behind the driver.
#pragma once

#include <vector>

#include "tools/art/models/mesh_builder.h"

namespace art_models {

// Where the race lights the scene from (world units); lit lamps lean their normals towards it.
constexpr float kLightX = 2500.0f, kLightY = 5000.0f, kLightZ = -1000.0f;

// The race tilts every signal box and lamp by this rotation about x (radians) before placing
// it, so that their fronts (local -z) face down towards the driver.
constexpr float kSignalTilt = -1.0f;
// Where the race hangs the signal once it has come down (world units).
constexpr float kSignalY = 1.0f, kSignalZ = 0.6f;

Mesh BuildCourse();      // "course": 20 m of road with kerbs, verges and walls
Mesh BuildGantry();      // "pool": the truss over the road at every 100 m
Mesh BuildBoard();       // "board": the sign hung in the gantry
Mesh BuildSignalBox();   // "sig_box": one lamp housing
Mesh BuildSignalLamp(int lamp_model);  // "sig0".."sig5": amber, green, red; unlit then lit
Mesh BuildSignalStand(); // "sigpool": the bar and hangers the housings hang from

// All eleven, named by their resource names, in the order the race loads them.
std::vector<Mesh> BuildRaceModels();

// "ghost": the car of the player's best run, beside the player (drawn only with the ghost on).
Mesh BuildGhostCar();

}  // namespace art_models
