#pragma once
// Bullets, debris and explosions.
#include <cstdint>

namespace vn {

// Draws and moves every bullet (three 14-px sub-steps), breaks tile 24, deals
// hits and removes bullets that ended; explosive ones explode where they end.
void UpdateShots();
// Draws and moves every piece of debris; removes it after its time-out (now_ms).
void UpdateFragments();
// Draws every explosion centred on its point; a new picture every 26 ms of the
// clock, removed after picture 17.
void UpdateExplosions();
// Damage an explosion of `damage` deals to a character dx pixels away
// horizontally: full at 0, falling linearly to 0 at 100, truncated, never negative.
int32_t BlastDamage(int32_t damage, int32_t dx);

}  // namespace vn
