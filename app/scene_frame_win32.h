// What every scene's Windows side shares: the end of an entry state, and the frame of a scene
// that does not draw yet.
#pragma once

#include <cstdint>

// Ends an entry state: on to its frame state, unless a failed load has asked for the exit,
// which then stays.
void FinishSceneEntry(int32_t frameState);

// The frame of a scene that has no drawing of its own: reads the keys, is black with the frame
// rate in the corner.
void PlainSceneFrame();
