// Where the next frame's sound goes in a looping buffer that plays on while the game draws.
// Positions are in samples from the buffer's start. Portable: no Windows header.
#pragma once

#include <cstdint>

struct RingWrite {
  uint32_t start;    // where this frame's samples begin
  uint32_t count;    // samples from `start` up to the lead
  uint32_t skipped;  // samples the player heard from the padding beyond our last write
};

// The frame's write, given where the previous one ended (`end`), the play cursor and the
// first position the device still lets us write (`safe`), for samples to reach `lead` past
// the play cursor. Normally the write continues at `end`; when the play cursor has caught up
// with it (a frame that came late), it starts again at `safe`, and `skipped` says how far
// the voice must be moved on to stay in step with what already played. A count of 0: the
// buffer already holds the lead.
RingWrite PlanRingWrite(uint32_t end, uint32_t play, uint32_t safe, uint32_t lead,
                        uint32_t size);
