// What every scene's Windows side shares: the end of an entry state.
#pragma once

#include <cstdint>

// Ends an entry state: on to its frame state, unless a failed load has asked for the exit,
// which then stays.
void FinishSceneEntry(int32_t frameState);
