#pragma once
// Pictures and sounds that let a player read a fight: a flash where a gun
// fires, a bright trail behind every bullet, the player's figure flashing when
// it is hurt, and a mark over an enemy that has just spotted the player. They
// only show what the rules of play already decided and change none of them.
#include <cstdint>

#include "play/entities.h"

namespace vn {

// A gun fired a bullet from the muzzle (x, y), world pixels, pointing at angle.
void NoteMuzzleFlash(float x, float y, float angle);
// A shot or a blast took power from the player: its figure flashes for a moment
// and the hit sound plays (once per frame however many hits the frame dealt).
void NotePlayerHurt();
// The bright trail of a bullet that flew from (x0, y0) to (x1, y1) this frame,
// world pixels; an enemy's trail is warmer than the player's.
void DrawShotTrail(float x0, float y0, float x1, float y1, uint8_t from);
// Over the player's figure drawn at screen (sx, sy): the hurt flash, when due.
void DrawHurtFlash(const Tplayer& ch, int32_t sx, int32_t sy);
// Once per frame after the bullets: the muzzle flashes and, above every enemy
// still within its reaction time after seeing the player, the warning mark.
void DrawFightEffects();
// Forgets running flashes (a new level run).
void ResetFightEffects();

// How long each effect shows, for tests and tuning.
inline constexpr int32_t kMuzzleFlashMillis = 60;
inline constexpr int32_t kHurtFlashMillis = 300;

}  // namespace vn
