#include "play/entities.h"

#include "app/resources.h"
#include "engine/pool_allocator.h"
#include "engine/random.h"
#include "play/play_loop.h"

namespace vn {

void Create_Player(int32_t x, int32_t y, uint8_t typ, uint8_t gun, uint8_t power,
                   uint16_t action_radius, uint16_t item) {
  auto ch = std::make_shared<Tplayer>();
  ch->x = x;
  ch->y = y;
  ch->typ = typ;
  ch->gun = gun;
  ch->power = power;
  ch->action_radius = action_radius;
  ch->item = item;
  ch->source_x = x;
  ch->mode = static_cast<uint8_t>(RandRange(1, 2));
  ch->gunangle = ch->mode == 1 ? 0 : 180;
  ch->breath = 100;
  ch->speed_max = 4.0f;
  character_list.AddLast(ch);
}

void shot_create(float x, float y, uint8_t from, float angle, uint8_t typ) {
  auto shot = MakePooled<Tshot>();
  shot->x = x;
  shot->y = y;
  shot->from = from;
  shot->angle = angle;
  shot->typ = typ;
  // A kind outside the table (a damaged save's gun) does no damage rather than read past it.
  shot->power = typ < shot_power.size() ? shot_power[typ] : 0;
  shot_list.AddLast(shot);
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
    piece->timeout = static_cast<double>(now_ms) + RandRange(1500, 2850);
    fragment_list.AddLast(piece);
  }
}

void PrepareEntityStorage() {
  // Well above what the shipped levels and the stress benchmark keep alive at once.
  constexpr size_t kShots = 256, kFragments = 192, kExplosions = 64;
  shot_list.Reserve(kShots);
  fragment_list.Reserve(kFragments);
  explosion_list.Reserve(kExplosions);
  WarmPool<Tshot>(kShots);
  WarmPool<Tfragment>(kFragments);
  WarmPool<Texplosion>(kExplosions);
}

PlayerRef FindPlayer() {
  PlayerRef found;
  character_list.ForEach([&](const PlayerRef& ch) {
    if (ch->typ != 0) return true;
    found = ch;
    return false;
  });
  return found;
}

}  // namespace vn
