#pragma once
// Enemies: patrol, line of sight, reaction, aiming and firing.
#include <cstdint>

#include "play/entities.h"
#include "play/movement.h"

namespace vn {

// Walks the 32-pixel ray from (px, py); the looker's top-left is (lx, ly), the
// target's cell (tx, ty)..(tx+32, ty+32). True when the target is seen.
bool LineOfSight(int32_t px, int32_t py, int32_t lx, int32_t ly, int32_t tx, int32_t ty);
// The first enemy in list order inside the window around (x, y) that the ray reaches.
PlayerRef FindVisibleEnemy(int32_t x, int32_t y, uint16_t half_w, uint16_t half_h);
// One enemy's step between the two halves of the common physics.
void EnemyStep(Tplayer& e, const TileProbes& p);
// True while an enemy has the player in sight but its reaction time has not
// yet passed: the moment before it opens fire.
bool EnemyReacting(const Tplayer& e);

}  // namespace vn
