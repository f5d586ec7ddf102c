// The game's version, "Ver0.75": in the window's title, and in every replay, whose race is the
// race of the version that recorded it.
#pragma once

constexpr int kGameVersionMajor = 0;
constexpr int kGameVersionMinor = 75;
