// TEMPORARY link stubs; each function moves to its real file as it is written.
#include "play/enemies.h"
#include "play/entities.h"
#include "play/shots.h"
namespace vn {
void Explosion_Create(int32_t, int32_t, int32_t) {}
void UpdateShots() {}
void UpdateFragments() {}
void UpdateExplosions() {}
int32_t BlastDamage(int32_t, int32_t) { return 0; }
bool LineOfSight(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) { return false; }
PlayerRef FindVisibleEnemy(int32_t, int32_t, uint16_t, uint16_t) { return nullptr; }
void EnemyStep(Tplayer&, const TileProbes&) {}
}  // namespace vn
