#include "sound/sound_ring.h"

RingWrite PlanRingWrite(uint32_t end, uint32_t play, uint32_t safe, uint32_t lead,
                        uint32_t size) {
  end %= size;
  play %= size;
  safe %= size;
  RingWrite write = {end, 0, 0};
  const uint32_t ahead = (end + size - play) % size;   // our data past the play cursor
  const uint32_t guard = (safe + size - play) % size;  // the span the device is mixing
  // Our data never reaches half the buffer ahead: a larger distance means the play cursor has
  // run past our end.
  if (ahead < guard || ahead > size / 2) {
    write.start = safe;
    write.skipped = (safe + size - end) % size;
    write.count = lead > guard ? lead - guard : 0;
    return write;
  }
  if (ahead < lead) write.count = lead - ahead;
  return write;
}
