#include "play/entities.h"

#include "engine/pool_allocator.h"
#include "engine/random.h"
#include "play/play_loop.h"
#include "play/tables.h"
#include "world/world.h"

namespace vn {

void shot_create(float x, float y, uint8_t from, float angle, uint8_t typ) {
  auto shot = MakePooled<Tshot>();
  shot->x = x;
  shot->y = y;
  shot->from = from;
  shot->angle = angle;
  shot->typ = typ;
  // A kind outside the table (a damaged save's gun) does no damage rather than read past it.
  shot->power = typ < tables.shot_power.size() ? tables.shot_power[typ] : 0;
  world.shot_list.AddLast(shot);
}

void Fragment_Create(int32_t x, int32_t y) {
  for (uint8_t typ = 0; typ < 6; ++typ) {
    auto piece = MakePooled<Tfragment>();
    piece->x = x;
    piece->y = y;
    piece->typ = typ;
    // Draw order matters for replays with a fixed seed: speedx, speedy, time-out.
    piece->speedx = static_cast<float>(RandRangeFloat(-6.5, 6.5));
    piece->speedy = static_cast<float>(RandRangeFloat(-8.5, -3.2));
    piece->timeout = static_cast<double>(run.now_ms) + RandRange(1500, 2850);
    world.fragment_list.AddLast(piece);
  }
}

void PrepareEntityStorage() {
  // Well above what the shipped levels and the stress benchmark keep alive at once.
  constexpr size_t kShots = 256, kFragments = 192, kExplosions = 64;
  world.shot_list.Reserve(kShots);
  world.fragment_list.Reserve(kFragments);
  world.explosion_list.Reserve(kExplosions);
  WarmPool<Tshot>(kShots);
  WarmPool<Tfragment>(kFragments);
  WarmPool<Texplosion>(kExplosions);
}

PlayerRef FindPlayer() {
  PlayerRef found;
  world.character_list.ForEach([&](const PlayerRef& ch) {
    if (ch->typ != 0) return true;
    found = ch;
    return false;
  });
  return found;
}

}  // namespace vn
