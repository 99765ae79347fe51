#pragma once
// Bullets, debris and explosions.
#include <cstdint>

namespace vn {

void UpdateShots();
void UpdateFragments();
void UpdateExplosions();
// Damage an explosion of `damage` deals to a character dx pixels away horizontally.
int32_t BlastDamage(int32_t damage, int32_t dx);

}  // namespace vn
