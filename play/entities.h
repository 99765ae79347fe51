#pragma once
// Creating the bullets, debris and explosions of play, and finding the player.
#include <cstdint>

#include "world/records.h"
#include "world/world.h"

namespace vn {

// Appends a bullet whose power is shot_power[typ].
void shot_create(float x, float y, uint8_t from, float angle, uint8_t typ);
// Appends six pieces (typ 0..5) thrown upwards from (x, y).
void Fragment_Create(int32_t x, int32_t y);
// Appends an explosion centred at (x, y) and deals blast damage to characters
// within 100 pixels on both axes (see BlastDamage in play/shots.h).
void Explosion_Create(int32_t x, int32_t y, int32_t damage);

// Makes room for the bullets, debris and explosions of a busy fight before play
// starts, so frames in the middle of one take nothing from the heap.
void PrepareEntityStorage();

// The first character of typ 0 in character_list, or nullptr.
PlayerRef FindPlayer();

}  // namespace vn
